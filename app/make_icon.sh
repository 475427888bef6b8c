#!/usr/bin/env bash
# Makes the Windows icon app/karsobel.ico from app/org.karsobel.Karsobel.svg in every size that
# Windows asks for. Up to 40 pixels the images are bitmaps; from 48 on they are PNG, which Windows
# reads since Vista and which keeps the icon, and so the program, small. Needs rsvg-convert
# (librsvg2-bin) and icotool (icoutils), installed if missing; the .ico is committed, so a build
# needs neither.
set -euo pipefail
cd "$(dirname "$0")"
../scripts/deps.sh librsvg2-bin icoutils
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
images=()
for size in 16 20 24 32 40 48 64 256; do
    rsvg-convert -w "$size" -h "$size" -o "$work/$size.png" org.karsobel.Karsobel.svg
    if [ "$size" -lt 48 ]; then
        images+=("$work/$size.png")
    else
        images+=(-r "$work/$size.png")
    fi
done
icotool -c -o karsobel.ico "${images[@]}"
