#!/usr/bin/env bash
# Runs the play-list reader's fuzzer for a bounded time (FUZZ_SECONDS, default 60), or for a number
# of inputs (FUZZ_RUNS, e.g. FUZZ_RUNS=10000000 make fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="${missing:-} $p"
done
if [ -n "${missing:-}" ]; then
    sudo_cmd=""
    [ "$(id -u)" = 0 ] || sudo_cmd=sudo
    $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
fi
mkdir -p build/fuzz/corpus
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc -Itests/core src/core/m3u.cpp src/core/entry_paths.cpp \
    src/core/playlist_model.cpp src/core/text.cpp tests/core/list_support.cpp fuzz/m3u_fuzz.cpp -o build/fuzz/m3u_fuzz
cp fuzz/corpus/* build/fuzz/corpus/
if [ -n "${FUZZ_RUNS:-}" ]; then
    limit=(-runs="$FUZZ_RUNS")
else
    limit=(-max_total_time="${FUZZ_SECONDS:-60}")
fi
build/fuzz/m3u_fuzz "${limit[@]}" -max_len=8192 -print_final_stats=1 \
    build/fuzz/corpus 2>&1 | tail -15
