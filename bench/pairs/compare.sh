#!/usr/bin/env bash
# karsobel-pairs beside the Python version of the same rule (pairs.py) on one generated text, then
# the program's time and peak resident memory on a 1 GiB text:
#     bench/pairs/compare.sh [BUILD_DIR]        (build/default by default)
# The texts are made in /tmp and removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/packages.sh
scripts/deps.sh "${bench_packages[@]}" >/dev/null
program=${1:-build/default}/app/karsobel-pairs
python_version=bench/pairs/pairs.py
work=$(mktemp -d /tmp/karsobel-pairs-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# make_text MIB FILE: MIB mebibytes of ASCII words in lines of about 70 characters.
make_text() {
    python3 - "$1" "$2" <<'PYTHON'
import random, sys
words = "the quick brown fox jumps over a lazy dog while Karsobel adds letters in pairs 42".split()
rng = random.Random(1)
lines = []
while sum(map(len, lines)) < 1 << 20:
    lines.append(" ".join(rng.choice(words) for _ in range(12)) + "\n")
block = "".join(lines).encode()[: 1 << 20]
with open(sys.argv[2], "wb") as out:
    for _ in range(int(sys.argv[1])):
        out.write(block)
PYTHON
}

# seconds COMMAND...: the wall-clock time of one run, its output thrown away.
seconds() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%.3f", end - start }'
}

rate() { awk -v mib="$1" -v s="$2" 'BEGIN { printf "%.0f MB/s", mib * 1048576 / s / 1e6 }'; }

size=64
make_text $size "$work/text.txt"
echo "Text: $size MiB of ASCII words, read from the page cache."
best=
for _ in 1 2 3; do
    run=$(seconds "$program" -f "$work/text.txt")
    best=$(awk -v a="$run" -v b="${best:-$run}" 'BEGIN { print (a < b ? a : b) }')
done
python=$(seconds python3 "$python_version" "$work/text.txt")
printf '%-16s %8s s  %12s  (best of 3)\n' karsobel-pairs "$best" "$(rate $size "$best")"
printf '%-16s %8s s  %12s\n' "Python version" "$python" "$(rate $size "$python")"
awk -v p="$python" -v c="$best" 'BEGIN { printf "karsobel-pairs is %.0f times as fast.\n", p / c }'
if cmp -s <("$program" -f "$work/text.txt") <(python3 "$python_version" "$work/text.txt"); then
    echo "Both print the same letters."
else
    echo "The two print different letters." >&2
    exit 1
fi

rm "$work/text.txt"
make_text 1024 "$work/big.txt"
/usr/bin/time -f '%e %M' -o "$work/time.txt" "$program" -f "$work/big.txt" >/dev/null
read -r elapsed peak <"$work/time.txt"
printf '1 GiB: karsobel-pairs %s s, %s, peak resident memory %s KiB.\n' \
    "$elapsed" "$(rate 1024 "$elapsed")" "$peak"
