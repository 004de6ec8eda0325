#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz) with clang and libFuzzer, with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs each one for
# SECONDS (default 60), starting from its seed corpus.  New inputs that reach
# new code are kept in build/fuzz/corpus/TARGET; a crash leaves its input in
# build/fuzz/crashes/ and ends the script with status 1.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]      e.g. scripts/fuzz.sh 600 fuzz_levelling
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/setup.sh
scripts/setup.sh clang

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELKAR_FUZZ=ON -DVELKAR_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build/fuzz -j "$(nproc)" -t fuzz_targets

mkdir -p build/fuzz/crashes
status=0
while read -r target seeds; do
  [ -n "$target" ] || continue
  if [ $# -gt 0 ] && [[ " $* " != *" $target "* ]]; then continue; fi
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s"
  # shellcheck disable=SC2086  # the seed folders are separate arguments
  if ! ASAN_OPTIONS=detect_leaks=0 "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" \
      -timeout=20 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/crashes/$target-" "$corpus" $seeds 2>"build/fuzz/$target.log"; then
    echo "fuzz: $target failed; see build/fuzz/$target.log and build/fuzz/crashes/"
    tail -n 30 "build/fuzz/$target.log"
    status=1
  else
    grep -E "^stat::number_of_executed_units|^#[0-9]+.*DONE" "build/fuzz/$target.log" | tail -n 2 || true
  fi
done <build/fuzz/fuzz_seeds.txt
exit $status
