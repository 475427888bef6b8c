#!/usr/bin/env bash
# Authenticode signing with a throwaway CA and code-signing certificate made here with openssl:
# both programs, the MSI, and the installer with the uninstaller it writes, each signed and
# verified against that CA; the signed karsobel-pairs.exe run under Wine; each program, its
# signature removed, the same bytes as the unsigned build. Then release.sh given bad signing
# settings: it stops, says why, and leaves no output folder.
#     signing_test.sh BUILD_DIR WINE_PREFIX
set -uo pipefail
here="$(dirname "$(realpath "$0")")"
source "$here/../tools/checks.sh"
build="$(realpath "$1")" prefix="$2"
root="$(realpath "$here/../..")"
sign="$root/app/packaging/sign_windows_file.sh"
work="$(mktemp -d)"
server=""
# The timestamp server, and the agent gpg starts for release.sh's look-up of a key, end with the
# test.
cleanup() {
    [ -z "$server" ] || { kill "$server"; wait "$server"; }
    GNUPGHOME="$work/empty-keyring" gpgconf --kill all 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

# The CA, a code-signing certificate it issues, valid for a day, one that expired at once, and a
# timestamp server's.
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.crt -days 2 -subj "/CN=Karsobel test CA" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
for use in codeSigning timeStamping; do
    printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=critical,%s\n' \
        "$use" >"$use.ext"
done
for certificate in signer:1:codeSigning expired:0:codeSigning timestamps:1:timeStamping; do
    IFS=: read -r name days use <<<"$certificate"
    openssl req -newkey rsa:2048 -nodes -keyout "$name.key" -out "$name.csr" \
        -subj "/CN=Karsobel test $name" 2>/dev/null
    openssl x509 -req -in "$name.csr" -CA ca.crt -CAkey ca.key -CAcreateserial \
        -days "$days" -extfile "$use.ext" -out "$name.crt" 2>/dev/null
    openssl pkcs12 -export -inkey "$name.key" -in "$name.crt" -certfile ca.crt \
        -passout pass:sesame -out "$name.pfx"
done
export KARSOBEL_SIGNING_PFX="$work/signer.pfx" KARSOBEL_SIGNING_PASSWORD=sesame
verified() { osslsigncode verify -CAfile ca.crt -in "$1" >verify.log 2>&1; }

for program in karsobel karsobel-pairs; do
    cp "$build/app/$program.exe" "$program.exe"
    check "$program.exe is signed" "$sign" "$program.exe"
    check "$program.exe's signature verifies against the CA" verified "$program.exe"
    osslsigncode remove-signature -in "$program.exe" -out "$program.unsigned.exe" >/dev/null
    check "$program.exe without its signature is the unsigned build" \
        cmp "$program.unsigned.exe" "$build/app/$program.exe"
done
pairs_answers() {
    [ "$("$root/tests/tools/wine_run.sh" "$prefix" "$work/karsobel-pairs.exe" hito | tr -d '\r')" = QI ]
}
check "the signed karsobel-pairs.exe runs under Wine" pairs_answers

# Signed with a timestamp from a server of the test's own.
"$root/tests/tools/timestamp_server.py" timestamps.crt timestamps.key ca.crt >port &
server=$!
for _ in $(seq 100); do [ -s port ] && break; sleep 0.1; done
cp "$build/app/karsobel-pairs.exe" stamped.exe
timestamped() {
    KARSOBEL_TIMESTAMP_URL="http://127.0.0.1:$(cat port)/" "$sign" stamped.exe &&
        osslsigncode verify -CAfile ca.crt -TSA-CAfile ca.crt -in stamped.exe >verify.log 2>&1 &&
        grep -q 'Timestamp Server Signature verification: ok' verify.log
}
check "a timestamped signature verifies, its timestamp too" timestamped
osslsigncode remove-signature -in stamped.exe -out stamped.unsigned.exe >/dev/null
check "without its timestamped signature, the unsigned build" \
    cmp stamped.unsigned.exe "$build/app/karsobel-pairs.exe"

cmake -DSETTINGS="$build/app/msi_settings.cmake" -DVERSION=1.00 -DOUTPUT="$work/signed.msi" \
    -DSIGN="$sign" -P "$root/app/msi/make_msi.cmake" >/dev/null
check "the MSI's signature verifies against the CA" verified signed.msi

# Every file CPack has signed, kept as it was signed: the programs, the uninstaller, the installer.
mkdir signed
cat >record_signing.sh <<RECORD
#!/bin/sh
"$sign" "\$1" && cp "\$1" "$work/signed/\$(ls "$work/signed" | wc -l).exe"
RECORD
chmod +x record_signing.sh
cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$work/nsis" \
    -D CPACK_KARSOBEL_SIGN="$work/record_signing.sh" >/dev/null
check "the programs, the uninstaller and the installer were signed" \
    test "$(ls signed | wc -l)" -eq 4
for file in signed/*.exe; do
    check "$file's signature verifies against the CA" verified "$file"
done
check "the installer made is signed" verified "$(echo nsis/*.exe)"

# release.sh with bad settings: each row the settings and what the message says.
sleep 1
bad_settings=(
    "KARSOBEL_SIGNING_PFX=$work/missing.pfx|no PKCS#12 file"
    "KARSOBEL_SIGNING_PASSWORD=open-please|does not open with KARSOBEL_SIGNING_PASSWORD"
    "KARSOBEL_SIGNING_PFX=$work/expired.pfx|expired"
    "KARSOBEL_TIMESTAMP_URL=http://127.0.0.1:9/|timestamp server .* did not answer"
    "KARSOBEL_GPG_KEY=nobody@karsobel.invalid|not a secret key"
)
stops_saying() {
    env "$1" GNUPGHOME="$work/empty-keyring" "$root/scripts/release.sh" "$work/out" >release.log 2>&1
    local status=$?
    [ $status -ne 0 ] && grep -Eq "$2" release.log && [ ! -e "$work/out" ] &&
        [ -z "$(ls -d "$work"/out.partial.* 2>/dev/null)" ] || { cat release.log; return 1; }
}
mkdir -m 700 empty-keyring
for row in "${bad_settings[@]}"; do
    check "release.sh with ${row%%|*} stops: ${row#*|}" stops_saying "${row%%|*}" "${row#*|}"
done
checks_passed
