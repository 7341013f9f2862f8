#!/usr/bin/env bash
# Builds the native core with its tests (sanitizers on) and the Windows program with its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

if [ ! -f build/native/build.ninja ]; then
    cmake -S . -B build/native -G Ninja -DZON_SANITIZE=ON >/dev/null
fi
if [ ! -f build/win/build.ninja ]; then
    cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
ninja -C build/native --quiet
ninja -C build/win --quiet
echo "Built build/win/ZonPlayer.exe"
