#!/usr/bin/env bash
# Levelling benchmark: a generated DL-100 line of N stations (default 100000)
# through each form of velkar-cli level with the adjustment, and a
# go-and-return pair with the summary table; wall time and peak memory from
# /usr/bin/time -v.  Usage: bench/levelling.sh BUILD_DIR [N]
set -euo pipefail
build=${1:?build folder}
n=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/dl100_generate" "$n" "$work/gidis.raw" "$work/donus.raw"
cli="$build/src/cli/velkar-cli"
echo "stations: $n, raw file: $(stat -c %s "$work/gidis.raw") bytes"

measure() {
    local label=$1
    shift
    /usr/bin/time -v "$@" 2>"$work/time" >/dev/null || true
    local wall cpu rss
    wall=$(grep 'Elapsed (wall clock)' "$work/time" | awk '{print $NF}')
    cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {printf "%.2f", s}' "$work/time")
    rss=$(grep 'Maximum resident set size' "$work/time" | awk '{print $NF}')
    printf '%-34s wall %8s  cpu %6s s  peak %7d KiB\n' "$label" "$wall" "$cpu" "$rss"
}

common=(--tolerance 0.3 --elevations --start 100.0000 --end 100.0000)
measure "KOT HESABI + adjustment" "$cli" level "$work/gidis.raw" "${common[@]}" -o "$work/a.KOT"
measure "KOT HESABI, intermediate sights" "$cli" level "$work/gidis.raw" "${common[@]}" --intermediate -o "$work/b.KOT"
measure "KOT HESABI-1 + closure check" "$cli" level "$work/gidis.raw" "${common[@]}" --form "KOT HESABI-1" -o "$work/c.KOT"
measure "iLLER BANKASI" "$cli" level "$work/gidis.raw" "${common[@]}" --traverse --form "iLLER BANKASI" -o "$work/d.iLL"
measure "go and return + summary table" "$cli" level "$work/gidis.raw" "${common[@]}" \
    --return "$work/donus.raw" --return-out "$work/e.KOT" --summary-out "$work/f.KOT" -o "$work/g.KOT"
grep -c . "$work/f.KOT" | sed 's/^/summary lines: /'
tail -1 "$work/a.KOT" | iconv -f CP1254 -t UTF-8
