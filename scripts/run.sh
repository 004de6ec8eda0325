#!/usr/bin/env bash
# Sets up, builds and starts velkar.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELKAR_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target velkar velkar-cli velkar-sim
exec build/release/src/app/velkar "$@"
