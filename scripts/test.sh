#!/usr/bin/env bash
# Sets up, builds and runs every test: a warnings-as-errors build, then the
# same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== formatting"
scripts/check-format.sh

echo "== build (warnings as errors)"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKAR_WERROR=ON >/dev/null
cmake --build build/test -j "$jobs"
echo "== tests"
(cd build/test && ctest --output-on-failure -j "$jobs")

echo "== build (AddressSanitizer + UndefinedBehaviorSanitizer)"
test_locale=C.UTF-8
locale -a 2>/dev/null | grep -qi '^tr_TR\.utf-\?8$' && test_locale=tr_TR.UTF-8
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELKAR_SANITIZE=ON -DVELKAR_WERROR=ON \
  -DVELKAR_BUILD_BENCH=OFF -DVELKAR_TEST_LOCALE="$test_locale" >/dev/null
cmake --build build/asan -j "$jobs"
echo "== tests under the sanitizers (LC_ALL=$test_locale)"
(cd build/asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")

echo "== Windows check (MinGW-w64 cross build, core tests under Wine)"
scripts/windows-check.sh
