#!/usr/bin/env bash
# Sets up, builds and runs every test: one build with warnings as errors,
# AddressSanitizer and UndefinedBehaviorSanitizer (optimised, so the warnings
# that need the optimiser's analysis are seen too), its tests under a Turkish
# locale, then the Windows check.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== formatting"
scripts/check-format.sh

test_locale=C.UTF-8
locale -a 2>/dev/null | grep -qi '^tr_TR\.utf-\?8$' && test_locale=tr_TR.UTF-8
echo "== build (warnings as errors, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build/check -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKAR_SANITIZE=ON \
  -DVELKAR_WERROR=ON -DVELKAR_BUILD_BENCH=ON -DVELKAR_TEST_LOCALE="$test_locale" \
  $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
cmake --build build/check -j "$jobs"
echo "== tests (LC_ALL=$test_locale)"
(cd build/check && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")

echo "== Windows check (MinGW-w64 cross build, core tests under Wine)"
scripts/windows-check.sh
