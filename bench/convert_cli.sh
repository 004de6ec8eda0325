#!/usr/bin/env bash
# Throughput and peak memory of velkar-cli convert on generated raw files of
# both instrument families (sizes in MB as arguments; default 25 50 100).
# usage: bench/convert_cli.sh [BUILD_DIR] [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
sizes=${*:-25 50 100}
cli="$build/src/cli/velkar-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf "%-20s %-11s %6s %10s %9s %11s %9s\n" instrument output MB lines seconds "MB/s" "peak KB"
for family in 210 700; do
  if [ "$family" = 210 ]; then inst="GTS-210 / 220 / 6"; else inst="GTS-600 / 700"; fi
  for mb in $sizes; do
    raw="$work/raw$family-$mb.txt"
    /usr/bin/python3 bench/gen_raw.py "$family" "$mb" "$raw"
    lines=$(wc -l <"$raw")
    bytes=$(stat -c %s "$raw")
    for out in YDE-NETCAD YMK-EGHAS; do
      /usr/bin/time -v "$cli" convert --instrument "$inst" --output "$out" "$raw" -o "$work/out" \
        2>"$work/time" >/dev/null
      secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,t,":"); s=0; for(i=1;i<=n;i++) s=s*60+t[i]; print s}' "$work/time")
      peak=$(awk -F': ' '/Maximum resident/ {print $2}' "$work/time")
      awk -v i="$inst" -v o="$out" -v b="$bytes" -v l="$lines" -v s="$secs" -v p="$peak" 'BEGIN {
        printf "%-20s %-11s %6.1f %10d %9.2f %11.1f %9d\n", i, o, b/1048576, l, s, (b/1048576)/s, p }'
      echo "   ($(awk -v l="$lines" -v s="$secs" 'BEGIN{printf "%.0f", l/s}') lines/s)"
    done
  done
done
