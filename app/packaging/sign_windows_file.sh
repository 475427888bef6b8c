#!/usr/bin/env bash
# Signs a Windows program, installer or MSI in place with Authenticode, through osslsigncode: the
# certificate and key of the PKCS#12 file $KARSOBEL_SIGNING_PFX, opened with
# $KARSOBEL_SIGNING_PASSWORD, a SHA-256 digest and, where $KARSOBEL_TIMESTAMP_URL is set, an
# RFC 3161 timestamp from that server:
#     sign_windows_file.sh FILE
# With --check instead of a file, signs nothing and says what is wrong with those settings, if
# anything: the file missing, the password not opening it, the certificate not valid now, the
# timestamp server not answering with a timestamp.
set -euo pipefail
fail() {
    echo "signing: $*" >&2
    exit 1
}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
pfx="${KARSOBEL_SIGNING_PFX:?the PKCS#12 file to sign with}"
# The password goes through a file, never on a command line that other users can read.
printf '%s' "${KARSOBEL_SIGNING_PASSWORD-}" >"$work/password"

check() {
    [ -f "$pfx" ] || fail "no PKCS#12 file at KARSOBEL_SIGNING_PFX=$pfx"
    openssl pkcs12 -in "$pfx" -passin "file:$work/password" -nokeys -clcerts -out "$work/cert.pem" \
        2>/dev/null || fail "$pfx does not open with KARSOBEL_SIGNING_PASSWORD (a wrong password?)"
    local subject until
    subject="$(openssl x509 -in "$work/cert.pem" -noout -subject)"
    until="$(openssl x509 -in "$work/cert.pem" -noout -enddate)"
    openssl x509 -in "$work/cert.pem" -noout -checkend 0 >/dev/null ||
        fail "the certificate in $pfx ($subject) expired: ${until#notAfter=}"
    [ "$(date -u -d "$(openssl x509 -in "$work/cert.pem" -noout -startdate | cut -d= -f2)" +%s)" \
        -le "$(date +%s)" ] || fail "the certificate in $pfx ($subject) is not valid yet"
    [ -n "${KARSOBEL_TIMESTAMP_URL:-}" ] || return 0
    echo check >"$work/data"
    openssl ts -query -data "$work/data" -sha256 -cert -out "$work/query.tsq" 2>/dev/null
    curl -fsS --max-time 30 -H 'Content-Type: application/timestamp-query' \
        --data-binary "@$work/query.tsq" -o "$work/reply.tsr" "$KARSOBEL_TIMESTAMP_URL" 2>"$work/curl" ||
        fail "the timestamp server KARSOBEL_TIMESTAMP_URL=$KARSOBEL_TIMESTAMP_URL did not answer: $(cat "$work/curl")"
    openssl ts -reply -in "$work/reply.tsr" -text 2>/dev/null | grep -q 'Status: Granted' ||
        fail "the timestamp server KARSOBEL_TIMESTAMP_URL=$KARSOBEL_TIMESTAMP_URL gave no timestamp"
}

if [ "${1:-}" = --check ]; then
    check
    exit 0
fi
file="${1:?the file to sign}"
arguments=(sign -pkcs12 "$pfx" -readpass "$work/password" -h sha256 -n Karsobel)
[ -z "${KARSOBEL_TIMESTAMP_URL:-}" ] || arguments+=(-ts "$KARSOBEL_TIMESTAMP_URL")
osslsigncode "${arguments[@]}" -in "$file" -out "$work/signed" >"$work/log" 2>&1 ||
    fail "osslsigncode could not sign $file:$(printf '\n'; cat "$work/log")"
cat "$work/signed" >"$file"
