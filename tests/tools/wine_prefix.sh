# Sourced by the Wine launchers. wine_prefix PREFIX: makes PREFIX, an absolute path, the Wine
# prefix of this shell, creating it on first use, and holds a lock on it until the shell ends so
# that programs sharing a prefix run one at a time.
wine_prefix() {
    case "$1" in
    /*) ;;
    *) echo "wine prefix must be an absolute path: $1" >&2; return 2 ;;
    esac
    export WINEPREFIX="$1" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG="${WINEDEBUG:--all}"
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec {wine_prefix_lock}>"$WINEPREFIX.lock"
    flock "$wine_prefix_lock"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -k
    fi
    # Wine does not look for the fonts of Debian's fonts-wine by itself.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$fonts/ms_sans_serif.ttf" ]; then
        mkdir -p "$fonts"
        cp /usr/share/wine/fonts/* "$fonts/"
    fi
}
