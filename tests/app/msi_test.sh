#!/usr/bin/env bash
# The Windows Installer package at work, in a fresh Wine prefix, as an administrator deploys it:
# installed silently for every user, the programs, the shortcut and the uninstall entry checked,
# nothing else written, the installed program started and closed; a later version built here
# replaces it, leaving one entry; the same version again and an earlier one are refused; then
# removal leaves nothing behind. Needs an X server:
#     with_xvfb.sh msi_test.sh PREFIX MSI SETTINGS PUBLISHER
# SETTINGS: the build's settings for app/msi/make_msi.cmake, which builds the later version.
set -uo pipefail
here="$(dirname "$(realpath "$0")")"
prefix="$1" msi="$2" settings="$3" publisher="$4"
source "$here/../tools/wine_prefix.sh"
rm -rf "$prefix"
wine_prefix "$prefix" || exit
wine_wait_for_desktop || exit
work="$prefix.work"
rm -rf "$work" && mkdir -p "$work"
trap 'wine_prefix_end; rm -rf "$work"' EXIT

source "$here/../tools/checks.sh"
# msiexec with its arguments, and its status: Windows Installer has done its work when it ends.
msiexec() { wine msiexec "$@"; }
windows_path() {
    wine winepath -w "$1" 2>/dev/null | tr -d '\r'
}
# A folder Windows names by its environment variable, as a path here inside drive_c.
folder() {
    realpath -m "$(wine winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')" 2>/dev/null)"
}
# What is in the prefix: every file and folder of drive C:, and every registry key (without the
# time Wine keeps beside each).
files() {
    (cd "$prefix/drive_c" && find . | sort)
}
keys() {
    # Wine's server writes the registry to its files as it ends. Once the program under test has
    # ended, it is ended at once, rather than waited for while its services wind down.
    wineserver -k
    timeout 30 wineserver -w
    cat "$prefix/system.reg" "$prefix/user.reg" | sed -n 's/^\[\(.*\)\] [0-9]*$/\1/p' | sort
}
# added BEFORE AFTER: the lines only AFTER has; removed BEFORE AFTER: those only BEFORE has.
added() { comm -13 <(echo "$1") <(echo "$2"); }
removed() { comm -23 <(echo "$1") <(echo "$2"); }
# Windows Installer's own records of what it installed and the copy of the package it keeps.
bookkeeping='^Software\\\\(Classes|Microsoft\\\\Windows\\\\CurrentVersion)\\\\Installer\\\\'
bookkeeping+='|^\./windows/Installer(/|$)'
outside_bookkeeping() { grep -Ev "$bookkeeping" <<<"$1"; }
only_the_uninstall_key() {
    [[ "$(outside_bookkeeping "$(added "$keys_before" "$(keys)")")" =~ \
        ^'Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{'[0-9A-F-]{36}'}'$ ]]
}
# Once the last product is removed, Windows Installer's records are empty folders and keys.
only_empty_bookkeeping() {
    test "$(added "$files_before" "$(files)")" = ./windows/Installer &&
        test -z "$(added "$keys_before" "$(keys)" |
            grep -Ev '\\(Features|Products|UpgradeCodes|Components)$')"
}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The uninstall entries named Karsobel: each one's values on one line, "Name=Value" apart.
entries() {
    wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
        /^HKEY_/ { if (entry ~ /\tDisplayName=Karsobel\t/) print entry; entry = $0 "\t"; next }
        /^    / {
            sub(/^ +/, ""); split($0, field, "    "); entry = entry field[1] "=" field[3] "\t"
        }
        END { if (entry ~ /\tDisplayName=Karsobel\t/) print entry }'
}
# Listings are matched once read whole, not piped into grep -q: the writer, cut off at the first
# match, would end with SIGPIPE, which pipefail reports as a failure.
one_entry_with() {
    local found
    found="$(entries)"
    [ "$(grep -c . <<<"$found")" -eq 1 ] && grep -q "	$1	" <<<"$found"
}
no_entry() { [ -z "$(entries)" ]; }
# The icon Windows' list of installed programs shows for the product: Windows Installer keeps it
# beside its records and names it in the product's registration.
product_icon_is_the_programs() {
    local icon
    icon="$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
        awk '/ProductIcon/ { icon = $3 } /ProductName +REG_SZ +Karsobel$/ { print icon; exit }')"
    [ -n "$icon" ] &&
        cmp -s "$(wine winepath -u "$icon" 2>/dev/null)" "$here/../../app/karsobel.ico"
}
# Installing the package $1 fails with 1603, a fatal error (its low eight bits, as Wine's exit
# status), and the package has the launch condition whose message Windows shows, $2. Wine does not
# report the message when it installs silently.
refused_saying() {
    msiexec /i "$(windows_path "$1")" /qn
    local status=$?
    [ $status -eq $((1603 % 256)) ] || { echo "      msiexec ended with status $status"; return 1; }
    grep -qF "	$2" <<<"$(msiinfo export "$1" LaunchCondition)"
}

install_dir="$(folder ProgramW6432)/Karsobel"
# Wine's Windows Installer puts a shortcut for every user in the user's own Start menu; Windows
# puts it in the common one (%ProgramData%).
shortcut="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Karsobel.lnk"
version="$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductVersion" { print $2 }')"
files_before="$(files)" keys_before="$(keys)"

check "msiexec /i ... /qn ends with status 0" msiexec /i "$(windows_path "$msi")" /qn
in_drive_c() { printf ".%s\n" "${@#"$prefix/drive_c"}"; }
expected_files="$(in_drive_c "$shortcut" "$install_dir"{,/LICENSE.txt,/README.txt,/THIRD-PARTY-NOTICES.txt} \
    "$install_dir"/karsobel{-pairs,}.exe | sort)"
check "the files written are the program's folder and the shortcut" \
    test "$(outside_bookkeeping "$(added "$files_before" "$(files)")")" = "$expected_files"
check "the registry keys written are the uninstall entry" only_the_uninstall_key
check "the shortcut points at the program" \
    grep -aq 'Program Files\\Karsobel\\karsobel.exe' "$shortcut"
check "one uninstall entry, for version $version" one_entry_with "DisplayVersion=$version"
check "the uninstall entry gives the publisher" one_entry_with "Publisher=$publisher"
check "the uninstall entry removes silently with msiexec" \
    one_entry_with 'UninstallString=MsiExec.exe /X{[0-9A-F-]*}'
check "the list of installed programs shows the program's icon" product_icon_is_the_programs
check "the installed program's window" \
    "$here/program_window.py" 32 16 -- wine "$install_dir/karsobel.exe"

later="$work/Karsobel-9.99-win64.msi"
cmake -DSETTINGS="$settings" -DVERSION=9.99 -DOUTPUT="$later" \
    -P "$here/../../app/msi/make_msi.cmake"
check "a later version installs over it" msiexec /i "$(windows_path "$later")" /qn
check "one uninstall entry is left, for the later version" one_entry_with "DisplayVersion=9.99"
check "the programs are still there" \
    test -f "$install_dir/karsobel.exe" -a -f "$install_dir/karsobel-pairs.exe"
check "the shortcut is still there" test -f "$shortcut"
check "the same version again is refused" \
    refused_saying "$later" "Karsobel 9.99 is already installed."
check "an earlier version is refused" \
    refused_saying "$msi" "A later version of Karsobel is already installed."
check "still one entry, for the later version" one_entry_with "DisplayVersion=9.99"

check "msiexec /x ... /qn ends with status 0" msiexec /x "$(windows_path "$later")" /qn
check "no uninstall entry is left" no_entry
check "no file is left" test -z "$(outside_bookkeeping "$(added "$files_before" "$(files)")")"
left="$(outside_bookkeeping "$(added "$keys_before" "$(keys)")")"
check "no registry key is left" test -z "$left"
[ -z "$left" ] || echo "$left"
check "Windows Installer keeps no record of it" only_empty_bookkeeping
# Wine keeps a key without values only while it has subkeys: the empty Uninstall key goes when
# the first entry is written under it.
check "nothing that was there is gone" \
    test -z "$(removed "$files_before" "$(files)")$(removed "$keys_before" "$(keys)" |
        grep -v 'CurrentVersion\\\\Uninstall$')"

checks_passed
