#!/usr/bin/env bash
# The Windows check: cross-compiles the Qt-free core and its portable tests
# for 64-bit Windows with MinGW-w64 (GoogleTest built from Debian's sources
# with the same compiler) and runs the tests under Wine.  Tests that need Qt,
# a pseudo-terminal, POSIX signals or velkar-cli are left out by the CMake
# option VELKAR_CORE_ONLY.  Installs what it needs when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh g++-mingw-w64-x86-64-posix wine64 googletest cmake ninja-build
out=build/windows
export WINEPREFIX="$PWD/$out/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$out"
[ -d "$WINEPREFIX" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
cmake -S . -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKAR_CORE_ONLY=ON -DVELKAR_WERROR=ON \
  -DVELKAR_GTEST_SOURCE=/usr/src/googletest \
  $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
cmake --build "$out" -j "$(nproc)"
echo "== core tests under Wine"
# One wine server for the whole run: one that shuts down between two test
# programs can drop the next one's connection ("recvmsg: Connection reset by
# peer"), most often on a loaded machine.  A test that fails is run once more,
# so that such a dropped connection is not taken for a fault; a fault of the
# program fails twice.
# Wine's own services are started here, apart from the tests: started by a
# test they would hold its output open and ctest would wait for them forever.
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
(cd "$out" && ctest --output-on-failure --repeat until-pass:2 -j "$(nproc)")
