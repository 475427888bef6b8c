#!/usr/bin/env bash
# Builds every artifact of a release into OUT (dist/ by default): the Debian source package and
# its binary packages for each Debian release (debian/, built and tested in clean roots of
# bookworm and of trixie by scripts/debian.sh), the Linux programs (linux/, as trixie's packages
# hold them), the Windows programs, zip, installer and MSI, and the web page's folder; with them
# SHA256SUMS, an apt repository with one suite for each Debian release (apt/), winget manifests
# (winget/), BUILD-INFO.txt, which says which commit and source date rebuild them byte for
# byte, and Karsobel-VERSION.cdx.json, the bill of materials (CycloneDX 1.6) of every file, with
# the third-party components of each program:
#     scripts/release.sh [OUT]
# KARSOBEL_SIGNING_PFX and KARSOBEL_SIGNING_PASSWORD: a PKCS#12 file and its password, with which
# the Windows programs (before they are packed), the installer, its uninstaller and the MSI are
# signed; KARSOBEL_TIMESTAMP_URL: an RFC 3161 server that timestamps those signatures.
# KARSOBEL_GPG_KEY: a key of the caller's keyring that signs SHA256SUMS and the apt repository.
# KARSOBEL_RELEASE_URL: where the files will be published, one folder a version, for the winget
# manifests, which are left out without it.
# SOURCE_DATE_EPOCH: the date the artifacts carry, by default the last commit's.
# OUT appears only once everything in it is made; on any failure it is left as it was.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${build_packages[@]}" "${packaging_packages[@]}" "${windows_packages[@]}" \
    "${web_packages[@]}" "${release_packages[@]}"
command -v npm >/dev/null || scripts/deps.sh nodejs npm
npm ci --prefix app/packaging/third_party/schema --no-audit --no-fund >/dev/null
fail() {
    echo "release: $*" >&2
    exit 1
}
out="$(realpath -m "${1:-dist}")"
root="$PWD"
build="$root/build/release"

# Each setting checked before anything is built.
sign=""
if [ -n "${KARSOBEL_SIGNING_PFX:-}" ]; then
    app/packaging/sign_windows_file.sh --check || fail "nothing was built"
    sign="$root/app/packaging/sign_windows_file.sh"
elif [ -n "${KARSOBEL_SIGNING_PASSWORD:-}${KARSOBEL_TIMESTAMP_URL:-}" ]; then
    fail "KARSOBEL_SIGNING_PASSWORD or KARSOBEL_TIMESTAMP_URL is set, but KARSOBEL_SIGNING_PFX is not"
else
    echo "release: no KARSOBEL_SIGNING_PFX, so the Windows files are not signed"
fi
if [ -n "${KARSOBEL_GPG_KEY:-}" ]; then
    gpg --batch --list-secret-keys "$KARSOBEL_GPG_KEY" >/dev/null 2>&1 ||
        fail "KARSOBEL_GPG_KEY=$KARSOBEL_GPG_KEY is not a secret key in the keyring"
fi
[ -n "${KARSOBEL_RELEASE_URL:-}" ] ||
    echo "release: no KARSOBEL_RELEASE_URL, so no winget manifests (they name where the installers are)"

commit="$(git rev-parse HEAD)"
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}"
if [ -n "$(git status --porcelain)" ]; then
    echo "release: the work tree has uncommitted changes, so these files cannot be rebuilt from a commit"
    source_line="Source: commit $commit with uncommitted changes; these files are not reproducible from a commit."
else
    source_line="Source: commit $commit; the same commit and SOURCE_DATE_EPOCH give the same bytes."
fi

# Everything is made in a folder beside OUT and moved into place at the end.
mkdir -p "$(dirname "$out")"
stage="$(mktemp -d "$out.partial.XXXXXX")"
trap 'rm -rf "$stage"' EXIT
umask 022

configure() {
    cmake --preset "$1" -B "$build/$1" -DBUILD_TESTING=OFF -DKARSOBEL_BENCHMARKS=OFF \
        -DKARSOBEL_SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" >/dev/null
}
version="$(sed -n 's/^project(Karsobel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
debian_suites=(bookworm trixie)
declare -A debian_packages
windows_name="Karsobel-$version-win64"

echo "release: the Debian packages, for each Debian release, and the Linux programs"
mkdir "$stage/debian"
for suite in "${debian_suites[@]}"; do
    scripts/debian.sh "$suite" "$build/debian-$suite"
    packages=("$build/debian-$suite"/karsobel_*_amd64.deb "$build/debian-$suite"/karsobel-pairs_*_amd64.deb)
    cp "${packages[@]}" "$build/debian-$suite"/karsobel_*.dsc "$build/debian-$suite"/karsobel_*.tar.* \
        "$stage/debian/"
    debian_packages[$suite]="${packages[*]##*/}"
done
mkdir "$stage/linux"
for package in ${debian_packages[trixie]}; do
    dpkg-deb --fsys-tarfile "$stage/debian/$package" |
        tar -x -C "$stage/linux" --strip-components=3 ./usr/bin
done

echo "release: the Windows programs, zip, installer and MSI"
configure windows
cmake --build "$build/windows" -j "$(nproc)" --target karsobel karsobel-pairs third-party-components
for program in karsobel karsobel-pairs; do
    cp "$build/windows/app/$program.exe" "$stage/"
    [ -z "$sign" ] || "$sign" "$stage/$program.exe"
done
cmake -DSETTINGS="$build/windows/app/msi_settings.cmake" -DVERSION="$version" \
    -DOUTPUT="$stage/$windows_name.msi" ${sign:+"-DSIGN=$sign"} -P app/msi/make_msi.cmake
cpack --config "$build/windows/CPackConfig.cmake" -B "$stage/cpack" \
    ${sign:+-D "CPACK_KARSOBEL_SIGN=$sign"} >/dev/null
mv "$stage/cpack/$windows_name.zip" "$stage/cpack/$windows_name.exe" "$stage/"
rm -rf "$stage/cpack"

echo "release: the web page"
configure web
# emscripten's tools find Debian's Node.js modules there, as the web preset tells them.
NODE_PATH=/usr/share/nodejs cmake --build "$build/web" -j "$(nproc)"
cp -r "$build/web/app/web/site" "$stage/web"

for suite in "${debian_suites[@]}"; do
    app/packaging/apt_repository.sh "$stage/apt" "$suite" \
        $(printf "$stage/debian/%s " ${debian_packages[$suite]})
done
if [ -n "${KARSOBEL_RELEASE_URL:-}" ]; then
    app/packaging/winget_manifests.sh "$stage/winget" "$version" "${KARSOBEL_RELEASE_URL%/}/$version" \
        "$stage/$windows_name.msi" "$stage/$windows_name.exe"
fi

cat >"$stage/BUILD-INFO.txt" <<INFO
Karsobel $version
$source_line
SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH
Windows files: $([ -z "$sign" ] && echo unsigned || echo "signed with Authenticode")
INFO
echo "release: the bill of materials"
# The Linux programs' components, as their Debian build listed them.
dpkg-deb --fsys-tarfile "$stage/debian/$(printf '%s\n' ${debian_packages[trixie]} | grep '^karsobel_')" |
    tar -xO --wildcards './usr/share/doc/karsobel/third-party-components.json*' |
    { gzip -dcf 2>/dev/null || true; } >"$build/linux-components.json"
[ -s "$build/linux-components.json" ] || fail "trixie's karsobel package lists no third-party components"
sbom="$stage/Karsobel-$version.cdx.json"
/usr/bin/python3 app/packaging/third_party/third_party.py sbom --release "$stage" --version "$version" \
    --components "linux=$build/linux-components.json" \
    --components "=$build/windows/third-party-components.json" \
    --components "web=$build/web/third-party-components.json" --output "$sbom"
/usr/bin/python3 app/packaging/third_party/third_party.py validate "$sbom" \
    --schemas app/packaging/third_party/schema/node_modules/@cyclonedx/cyclonedx-library/res/schema

(cd "$stage" && find . -type f ! -name 'SHA256SUMS*' -printf '%P\n' | LC_ALL=C sort |
    xargs -d '\n' sha256sum >SHA256SUMS)
if [ -n "${KARSOBEL_GPG_KEY:-}" ]; then
    gpg --batch --yes --local-user "$KARSOBEL_GPG_KEY" --armor --detach-sign \
        --output "$stage/SHA256SUMS.asc" "$stage/SHA256SUMS"
fi

rm -rf "$out"
mv "$stage" "$out"
chmod 755 "$out"
trap - EXIT
echo "release: every artifact is in $out"
