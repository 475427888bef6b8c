#!/usr/bin/env bash
# Installs Karsobel silently with its installer, in a fresh Wine prefix, for the current user;
# checks the program, its Start-menu shortcut and its uninstall entry where Windows keeps them,
# starts the installed program (tests/app/program_window.py), then uninstalls it silently and
# checks that none of them is left. Needs an X server:
#     with_xvfb.sh installer_test.sh PREFIX PACKAGES VERSION PUBLISHER
# PACKAGES: the folder holding the installer, the one .exe in it.
set -uo pipefail
here="$(dirname "$(realpath "$0")")"
prefix="$1" version="$3" publisher="$4"
installer=("$2"/*.exe)
source "$here/../tools/wine_prefix.sh"
rm -rf "$prefix"
wine_prefix "$prefix" || exit
wine_wait_for_desktop || exit

source "$here/../tools/checks.sh"
# A folder Windows names by its environment variable, as a path here.
folder() {
    wine winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')" 2>/dev/null
}
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Karsobel'
has_value() {
    grep -Eq "^ +$1 +REG_SZ +$2\$" <<<"$entry"
}
# No uninstall entry under the registry root $1, HKCU (the user's) or HKLM (every user's).
no_entry() {
    ! wine reg query "$1\\$uninstall_key" >/dev/null 2>&1
}

install_dir="$(folder LOCALAPPDATA)/Programs/Karsobel"
shortcut="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Karsobel.lnk"
program="$install_dir/karsobel.exe"

check "the installer ends with status 0" wine "${installer[0]}" /S
check "the program is in %LOCALAPPDATA%\\Programs\\Karsobel" test -f "$program"
check "karsobel-pairs.exe is beside it" test -f "$install_dir/karsobel-pairs.exe"
check "the third-party notices are beside it" grep -q "^winpthreads " "$install_dir/THIRD-PARTY-NOTICES.txt"
check "the Start-menu shortcut 'Karsobel' is in the user's Programs" test -f "$shortcut"
check "the shortcut points at the program" grep -aq 'Karsobel\\karsobel.exe' "$shortcut"
entry="$(wine reg query "HKCU\\$uninstall_key" | tr -d '\r')"
windows_program='C:\\users\\[^\\]+\\AppData\\Local\\Programs\\Karsobel\\karsobel\.exe'
check "the uninstall entry names Karsobel" has_value DisplayName Karsobel
check "the uninstall entry gives version $version" has_value DisplayVersion "${version//./\\.}"
check "the uninstall entry gives the publisher" has_value Publisher "$publisher"
check "the uninstall entry shows the program's icon" has_value DisplayIcon "$windows_program,0"
check "the uninstall entry has a silent uninstall" \
    has_value QuietUninstallString '"C:\\.*\\Uninstall\.exe" /S'
check "no uninstall entry for every user" no_entry HKLM

check "the installed program's window" \
    "$here/program_window.py" 32 16 -- wine "$program"

# The uninstaller goes on from a copy of itself; wineserver -w waits for that copy too.
check "the uninstaller ends with status 0" wine "$install_dir/Uninstall.exe" /S
wineserver -w
check "the program's folder is gone" test ! -e "$install_dir"
check "the shortcut is gone" test ! -e "$shortcut"
check "the uninstall entry is gone" no_entry HKCU

checks_passed
