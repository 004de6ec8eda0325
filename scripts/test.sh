#!/usr/bin/env bash
# Sets up, builds and runs every test: the formatting check; one build with
# warnings as errors, AddressSanitizer and UndefinedBehaviorSanitizer
# (optimised, so the warnings that need the optimiser's analysis are seen too)
# and its tests under a Turkish locale; and, beside it, the Windows check
# (its packages, cross build and Wine run overlap the Linux build's waits).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== formatting"
scripts/check-format.sh

mkdir -p build
echo "== Windows check started (MinGW-w64 cross build, core tests under Wine; log in build/windows-check.log)"
scripts/windows-check.sh >build/windows-check.log 2>&1 &
windows=$!
trap 'kill "$windows" 2>/dev/null || true' EXIT

linux() {
  local test_locale=C.UTF-8
  locale -a 2>/dev/null | grep -qi '^tr_TR\.utf-\?8$' && test_locale=tr_TR.UTF-8
  echo "== build (warnings as errors, AddressSanitizer + UndefinedBehaviorSanitizer)"
  cmake -S . -B build/check -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DVELKAR_SANITIZE=ON -DVELKAR_WERROR=ON \
    -DVELKAR_BUILD_BENCH=ON -DVELKAR_TEST_LOCALE="$test_locale" \
    $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null &&
    cmake --build build/check -j "$jobs" &&
    echo "== tests (LC_ALL=$test_locale)" &&
    (cd build/check && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --output-on-failure -j "$jobs")
}
linux_status=0
linux || linux_status=$?

windows_status=0
wait "$windows" || windows_status=$?
trap - EXIT
echo "== Windows check"
cat build/windows-check.log
if ((linux_status != 0 || windows_status != 0)); then
  echo "FAILED: Linux stage status $linux_status, Windows stage status $windows_status"
  exit 1
fi
echo "== all checks passed"
