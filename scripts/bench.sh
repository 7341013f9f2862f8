#!/usr/bin/env bash
# Runs the benchmarks under Wine and prints their measurements and ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
source scripts/wine-env.sh
use_null_sound
ZON_FORCE_XVFB=1 ensure_display
ensure_prefix
trap stop_started EXIT
wine build/win/playlist_bench.exe
