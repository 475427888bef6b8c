#!/usr/bin/env bash
# Run by debian.sh in a clean root of a Debian release, in a folder holding the packages built for
# it, the source package, lintian.sh and an apt repository of the packages (repository/):
#     debian_testbed.sh SUITE
# 1. From the repository, as a user would: karsobel-pairs installs without any Qt library and
#    answers; karsobel installs with it; both are removed again, and what they brought with them.
# 2. The autopkgtests against the packages (../autopkgtest).
# 3. The release's lintian on them (../lintian.log).
set -uo pipefail
suite="$1"
source="$PWD/repository"
export DEBIAN_FRONTEND=noninteractive
apt_get() { apt-get -q -y -o APT::Sandbox::User=root "$@" >>../apt.log 2>&1; }
qt_installed() { dpkg-query -W -f='${Package} ${Status}\n' 'libqt6*' 2>/dev/null | grep -q 'ok installed'; }
fail() { echo "FAIL: $*"; tail -n 30 ../apt.log; exit 1; }

echo "deb [trusted=yes] file:$source $suite main" >/etc/apt/sources.list.d/karsobel.list
apt_get update || fail "apt cannot read the repository"
apt_get install karsobel-pairs || fail "apt install karsobel-pairs"
! qt_installed || fail "karsobel-pairs brought a Qt library"
[ "$(karsobel-pairs hito)" = QI ] || fail "the installed karsobel-pairs does not answer QI"
echo "ok:   apt install karsobel-pairs from the repository: no Qt library, and it answers"
apt_get install karsobel || fail "apt install karsobel"
qt_installed || fail "karsobel came without Qt"
echo "ok:   apt install karsobel from the repository, with Qt"
apt_get purge --autoremove karsobel karsobel-pairs || fail "apt purge"
! qt_installed || fail "Qt stayed after the packages were removed"
echo "ok:   both removed, and Qt with them"
rm /etc/apt/sources.list.d/karsobel.list

autopkgtest -U --output-dir ../autopkgtest $(ls *.deb | grep -v dbgsym) karsobel_*.dsc -- null ||
    exit
apt_get install --no-install-recommends lintian || fail "apt install lintian"
./lintian.sh *.changes >../lintian.log 2>&1
