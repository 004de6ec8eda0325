#!/bin/bash
# Transfer throughput and waiting cost, velkar-cli against velkar-sim on a pty.
#
#   bench/link_bench.sh CLI SIM [BYTES]
#
# 1. A GTS-210/220 "ONE WAY" download of BYTES (default 1000000) paced at
#    115200 baud: wall time against the line's limit (10 bit times a byte),
#    and a check that no byte was lost.
# 2. The same download unpaced (as fast as the pty carries it).
# 3. CPU time of velkar-cli per MB (user + system) in both.
# 4. CPU used by velkar-cli while it waits 10 s for a device that sends nothing.
set -euo pipefail
CLI=${1:?velkar-cli}
SIM=${2:?velkar-sim}
BYTES=${3:-1000000}
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
PY=/usr/bin/python3

# Records "Pn_Xn__+" after a leading "_+", as many as make BYTES on the line
# (136 line characters carry 128 data characters).
$PY - "$DIR/data.txt" "$BYTES" <<'PY'
import sys
path, total = sys.argv[1], int(sys.argv[2])
want = total * 128 // 136
parts, n, size = ["_+"], 0, 2
while size < want:
    n += 1
    r = "P%d_X%d__+" % (n, n * 7919)
    parts.append(r); size += len(r)
open(path, "w").write("".join(parts))
PY

start_sim() {  # args: sim options...
    "$SIM" --linger 200 "$@" > "$DIR/sim.out" 2> "$DIR/sim.err" &
    SIMPID=$!
    for _ in $(seq 100); do [ -s "$DIR/sim.out" ] && break; sleep 0.05; done
    DEV=$(head -1 "$DIR/sim.out")
}

check() {
    $PY - "$DIR/data.txt" "$DIR/out.txt" <<'PY'
import sys
data = open(sys.argv[1]).read()[2:]
lines = open(sys.argv[2], newline="").read().split("\r\n")
got = "".join(lines).rstrip(" ")
print("  no byte lost" if got == data else "  DATA DIFFERS (%d vs %d characters)" % (len(got), len(data)))
PY
}

run_download() {  # label, sim baud (0 = unpaced)
    local label=$1 baud=$2
    start_sim gts200-send --protocol oneway --baud "$baud" --chunk 64 "$DIR/data.txt"
    /usr/bin/time -f "%e %U %S" -o "$DIR/time.txt" \
        "$CLI" download --instrument "GTS-210 / 220" --protocol "ONE WAY" --baud 115200 \
        --port "$DEV" "$DIR/out.txt" 2> "$DIR/cli.err"
    wait "$SIMPID" || true
    read -r wall user sys < "$DIR/time.txt"
    local line_bytes=$(( ($(stat -c %s "$DIR/data.txt") + 127) / 128 * 136 + 1 ))
    $PY - "$label" "$wall" "$user" "$sys" "$line_bytes" "$baud" <<'PY'
import sys
label, wall, user, sys_, nbytes, baud = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6])
mb = nbytes / 1e6
print("%s: %d bytes in %.2f s (%.0f bytes/s)" % (label, nbytes, wall, nbytes / wall))
if baud:
    limit = nbytes * 10 / baud
    print("  line limit at %d baud: %.2f s; ratio %.3f" % (baud, limit, wall / limit))
print("  CPU %.2f s user + %.2f s system = %.3f s per MB" % (user, sys_, (user + sys_) / mb))
PY
    check
}

run_download "paced 115200" 115200
run_download "unpaced" 0

# Waiting: the logger on a device that sends nothing, stopped after 10 s.
: > "$DIR/empty.txt"
start_sim text --linger 15000 "$DIR/empty.txt"
/usr/bin/time -f "%e %U %S" -o "$DIR/time.txt" \
    "$CLI" download --instrument USIKATA --port "$DEV" "$DIR/idle.txt" 2> "$DIR/cli.err" &
CLIPID=$!
sleep 10
kill -INT "$(pgrep -P $CLIPID)" 2>/dev/null || kill -INT $CLIPID
wait $CLIPID || true
kill "$SIMPID" 2>/dev/null || true
read -r wall user sys < "$DIR/time.txt"
$PY -c "import sys; w,u,s=map(float,sys.argv[1:]); print('idle: %.2f s waiting, CPU %.3f s = %.2f %% of one core' % (w, u+s, 100*(u+s)/w))" "$wall" "$user" "$sys"
