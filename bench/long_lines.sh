#!/usr/bin/env bash
# Peak memory of velkar-cli on files whose lines are just under the line limit
# (12 MB), in the shapes that make a run keep the most copies of a line: one
# long field, three long fields, long GTS-600/700 records, long GTS-210/220
# names and heights, a station of long point names, and a coordinate list of
# long names.  Every conversion and computation of both families, the
# levelling, the Excel and GTS-720 exports, the DXF and the plot run on each;
# prints the peak of each run in MB and the highest.
#
#   bench/long_lines.sh [VELKAR_CLI]      (default build/release/src/cli/velkar-cli, from scripts/run.sh)
set -euo pipefail
cli=$(realpath "${1:-build/release/src/cli/velkar-cli}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - <<'PY'
L = 12 * 1024 * 1024 - 64
def w(name, lines):
    with open(name, 'wb') as f:
        f.write(b''.join(l + b'\r\n' for l in lines))
w('plain.txt', [b'A' * L] * 3)
w('fields.txt', [b','.join([b'B' * (L // 3 - 2)] * 3)] * 3)
w('records700.txt', [b'STN,P1,1.5', b'SS,' + b'C' * (L - 10) + b',1.6', b'HV,100.0000,' + b'9' * (L - 20),
                     b'SD,' + b'1' * (L // 2 - 10) + b',' + b'2' * (L // 2 - 10) + b',3'])
w('records210.txt', [b"_'" + b'S' * (L - 20) + b"_(_)1.540_+", b"P" + b'N' * (L - 20) + b"_+_ R1.5_*",
                     b"_'P1_(_)1.5_+1_ R" + b'1' * (L - 30)])
lines = [b'STN,S1,1.550,K0', b'BKB,B1,0,0.0000']
for i in range(8):
    lines += [b'SS,' + (b'%02d' % i) * (L // 2 - 10) + b',1.600,K1', b'SD,10.0000,100.0000,100.000']
w('station700.txt', lines)
w('names.txt', [bytes([65 + i]) * (L - 40) + b' 1000 2000 100' for i in range(8)])
PY
highest=0
peak() {  # peak MB of one run
  /usr/bin/time -o t -f %M "$cli" "$@" >/dev/null 2>&1 || true
  echo $(($(tail -1 t) / 1024))
}
note() { echo "$1"; for v in $2; do if ((v > highest)); then highest=$v; fi; done; }
shapes="plain fields records700 records210 station700 names"
for inst in "GTS-210 / 220 / 6" "GTS-600 / 700"; do
  for o in XYZ YXZ YDE-NETCAD YDE-EGHAS YDE-GEOCAD YMK-NETCAD YMK-EGHAS YMK-GEOCAD "RASAT KARNESi" \
           KOORDINAT KESIT-KLISE KESIT-NETCAD; do
    line="$inst / $o:" values=""
    for s in $shapes; do
      mb=$(peak convert --instrument "$inst" --output "$o" --yes --point P1=1,2,3 --point S1=1,2,3 \
           --point B1=4,5,6 "$s.txt" -o out.txt)
      line+=" $s=$mb" values+=" $mb"
    done
    note "$line" "$values"
  done
done
for s in $shapes; do
  a=$(peak level "$s.txt" -o out.kot) b=$(peak xls "$s.txt") c=$(peak gts720 "$s.txt" out)
  d=$(peak dxf "$s.txt" -o out.dxf) e=$(peak plot "$s.txt" --png out.png)
  note "$s: level=$a xls=$b gts720=$c dxf=$d plot=$e" "$a $b $c $d $e"
done
echo "highest: $highest MB"
