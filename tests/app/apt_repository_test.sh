#!/usr/bin/env bash
# The apt repository at work: made from the Debian packages, in the suite of this machine's Debian
# release, and signed with a throwaway key, served on 127.0.0.1; karsobel and karsobel-pairs
# installed from it with apt (signed-by that key), upgraded to a later version made here from
# them, then removed; a repository signed by another key is refused. apt runs with a configuration
# of its own: the machine's sources, lists and cache are not touched, and the packages are removed
# whether the test passes or fails:
#     apt_repository_test.sh PACKAGES_DIR VERSION
set -uo pipefail
here="$(dirname "$(realpath "$0")")"
source "$here/../tools/checks.sh"
packages="$1" version="$2"
suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
for package in karsobel karsobel-pairs; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        echo "$package is installed on this machine already; this test would replace it"
        exit 1
    fi
done
work="$(mktemp -d)"
server=""
installed=""
# The web server, and the agent that gpg started for the throwaway keys, end with the test.
cleanup() {
    [ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server"; }
    [ -z "$installed" ] || dpkg --purge karsobel karsobel-pairs >/dev/null 2>&1
    gpgconf --kill all 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Two throwaway keys: the repository's, and a stranger's.
export GNUPGHOME="$work/gnupg"
mkdir -m 700 "$GNUPGHOME"
for who in repository stranger; do
    gpg --batch --passphrase '' --quick-gen-key "Karsobel $who <$who@karsobel.invalid>" \
        ed25519 sign never 2>/dev/null
done
export KARSOBEL_GPG_KEY=repository@karsobel.invalid
gpg --batch --export stranger@karsobel.invalid >"$work/stranger.gpg"

# The later version: the same packages, their version raised.
later() {
    local unpacked="$work/later/${1##*/}"
    dpkg-deb -R "$1" "$unpacked"
    sed -i "s/$version/9.99-1/g" "$unpacked/DEBIAN/control"
    dpkg-deb -b --root-owner-group "$unpacked" "$work/later/" >/dev/null
    rm -rf "$unpacked"
}
mkdir "$work/later"
for package in "$packages"/karsobel_*.deb "$packages"/karsobel-pairs_*.deb; do later "$package"; done
repository="$work/repository"
"$here/../../app/packaging/apt_repository.sh" "$repository" "$suite" \
    "$packages"/karsobel_*.deb "$packages"/karsobel-pairs_*.deb

python3 -u -m http.server --bind 127.0.0.1 --directory "$repository" 0 >"$work/server.log" 2>&1 &
server=$!
port=""
for _ in $(seq 100); do
    port="$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$work/server.log")"
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "the web server did not start"; exit 1; }

mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
# apt_get KEYRING ARGUMENTS...: apt-get that knows this repository alone, trusting KEYRING.
apt_get() {
    echo "deb [signed-by=$1] http://127.0.0.1:$port/ $suite main" >"$work/apt/sources.list"
    shift
    DEBIAN_FRONTEND=noninteractive apt-get -q -y \
        -o Dir::Etc::sourcelist="$work/apt/sources.list" \
        -o Dir::Etc::sourceparts="$work/apt/sources.list.d" \
        -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" \
        -o DPkg::Lock::Timeout=300 -o APT::Install-Recommends=false -o APT::Sandbox::User=root \
        "$@" >>"$work/apt.log" 2>&1
}
key="$repository/karsobel-archive-keyring.gpg"
installed_version() { dpkg-query -W -f='${Version} ' karsobel karsobel-pairs 2>/dev/null; }
pairs_answers() { [ "$(/usr/bin/karsobel-pairs hito)" = QI ]; }

stranger_offers_nothing() {
    apt_get "$work/stranger.gpg" update
    ! apt_get "$work/stranger.gpg" install --simulate karsobel
}
check "a repository signed by another key offers nothing" stranger_offers_nothing
check "apt reads the repository signed-by its key" apt_get "$key" update
installed=yes
check "apt installs karsobel $version from it" apt_get "$key" install karsobel karsobel-pairs
check "the installed versions are $version" test "$(installed_version)" = "$version $version "
check "the installed karsobel-pairs answers" pairs_answers

"$here/../../app/packaging/apt_repository.sh" "$repository" "$suite" "$work/later"/*.deb
check "apt sees the later version" apt_get "$key" update
check "apt upgrades both" apt_get "$key" install --only-upgrade karsobel karsobel-pairs
check "the installed versions are 9.99-1" test "$(installed_version)" = "9.99-1 9.99-1 "
check "the upgraded karsobel-pairs answers" pairs_answers

check "apt removes both" apt_get "$key" purge karsobel karsobel-pairs
check "karsobel is no longer installed" test -z "$(installed_version)"
check "its programs are gone" test ! -e /usr/bin/karsobel -a ! -e /usr/bin/karsobel-pairs
[ "$failed" -eq 0 ] || cat "$work/apt.log"
checks_passed
