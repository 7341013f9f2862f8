#!/usr/bin/env bash
# Leaves the player looping a list of short clips for SOAK_MINUTES (default 60) and samples its
# memory, handles and GDI objects; fails when they grow beyond noise or the window stops answering.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/build.sh >/dev/null
bash scripts/make-media.sh build/media
source scripts/wine-env.sh
use_null_sound
ZON_FORCE_XVFB=1 ensure_display
ensure_prefix
trap stop_started EXIT
wineserver -p
export ZON_MEDIA="$root/build/media"
export ZON_PLAYER_EXE="$root/build/win/ZonPlayer.exe"
export ZON_SOAK_MINUTES="${SOAK_MINUTES:-60}"
wine build/win/soak_tests.exe
