#!/usr/bin/env bash
# Builds the release artifacts a second time, from a copy of the sources in another folder, into
# another build folder, later, under another time zone, umask and locale, and checks that every
# file is the same bytes as the first build's; prints each artifact's SHA-256:
#     reproducible_test.sh PRESET FIRST_BUILD TARGETS GENERATORS ARTIFACT...
# TARGETS: what to build, comma-separated (no second CMake build when empty); GENERATORS: CPack's,
# comma-separated, whose packages go to packages/ in both builds (none when empty), or "debian":
# the Debian packages, which the first build has in debian/ already and the second makes there
# from its copy of the sources; each ARTIFACT: a file or folder, relative to the build folder.
# The second build takes the first's source date, as a release of the same commit does.
set -uo pipefail
here="$(dirname "$(realpath "$0")")"
source "$here/../tools/checks.sh"
preset="$1" first="$(realpath "$2")" targets="${3//,/ }" generators="${4//,/;}"
shift 4
source_dir="$(realpath "$here/../..")"
work="$first/reproducible"
rm -rf "$work" && mkdir -p "$work/sources"
trap 'rm -rf "$work"' EXIT
epoch="$(cat "$first/source_date_epoch")"
second="$work/second-build"

# What a build packs, packed under the umask release.sh packs with, as dpkg-buildpackage does:
# the Debian package's own members take their permissions from it.
package() {
    case "$generators" in
    "") ;;
    debian) [ "$1" = "$first" ] || (umask 022 && app/packaging/debian_build.sh --binary "$1/debian") ;;
    *) (umask 022 && cpack -G "$generators" --config "$1/CPackConfig.cmake" -B "$2" >/dev/null) ;;
    esac
}
package "$first" "$work/first-packages" || { echo "FAIL: cpack in the first build"; exit 1; }

# The sources as they are in the work tree, committed or not, without what git ignores.
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    tar --null -T - -cf -) | tar -C "$work/sources" -xf -
start=$SECONDS
(
    umask 077
    export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8
    cd "$work/sources" &&
        if [ -n "$targets" ]; then
            cmake --preset "$preset" -B "$second" -DBUILD_TESTING=OFF -DKARSOBEL_BENCHMARKS=OFF \
                -DKARSOBEL_SOURCE_DATE_EPOCH="$epoch" >/dev/null &&
                cmake --build "$second" -j2 --target $targets >/dev/null
        fi &&
        package "$second" "$second/packages"
) || { echo "FAIL: the second build"; exit 1; }
echo "the second build took $((SECONDS - start)) s"

# first_path ARTIFACT: where the first build has it, its packages being in their own folder.
first_path() {
    case "$1" in
    packages/*) echo "$work/first-packages/${1#packages/}" ;;
    *) echo "$first/$1" ;;
    esac
}
same_files() {
    local a="$1" b="$2" list_a list_b file
    list_a="$(cd "$a" && find . -type f | sort)"
    list_b="$(cd "$b" && find . -type f | sort)"
    [ "$list_a" = "$list_b" ] || { diff <(echo "$list_a") <(echo "$list_b"); return 1; }
    while read -r file; do
        cmp "$a/$file" "$b/$file" || return 1
    done <<<"$list_a"
}
for artifact in "$@"; do
    a="$(first_path "$artifact")" b="$second/$artifact"
    if [ -d "$a" ]; then
        check "$artifact: the same files, byte for byte" same_files "$a" "$b"
        (cd "$a" && find . -type f | sort | xargs sha256sum)
    else
        check "$artifact: the same bytes" cmp "$a" "$b"
        sha256sum "$a" "$b" | sed "s|  $work/|  |; s|  $first/|  first build/|"
    fi
done
checks_passed
