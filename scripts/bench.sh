#!/usr/bin/env bash
# Runs the benchmarks under Wine and prints their measurements and ratios.
# ZON_BENCH_RUNS (20) and ZON_BENCH_PLAY_RUNS (3) set how many pairs of runs each figure takes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/build.sh >/dev/null
media="$root/build/media-bench"
mkdir -p "$media"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
# Clips long enough to play for the CPU measurement after their first frame.
pic="testsrc2=size=640x360:rate=25:duration=25"
tone="sine=frequency=440:sample_rate=44100:duration=25"
[ -f "$media/long.mp4" ] || ff -f lavfi -i "$pic" -f lavfi -i "$tone" -c:v libx264 -pix_fmt yuv420p \
    -preset veryfast -c:a aac -shortest "$media/long.mp4"
[ -f "$media/long.avi" ] || ff -f lavfi -i "$pic" -f lavfi -i "$tone" -c:v mpeg4 -q:v 4 -c:a mp3 -shortest \
    "$media/long.avi"
# Something with a media file's name that nothing can play, dropped before a clip.
[ -f "$media/broken.avi" ] || head -c 65536 /dev/urandom >"$media/broken.avi"

source scripts/wine-env.sh
use_null_sound
ZON_FORCE_XVFB=1 ensure_display
ensure_prefix
trap stop_started EXIT
export ZON_MEDIA="$media" ZON_BENCH_BIN="$root/build/win" ZON_PLAYER_EXE="$root/build/win/ZonPlayer.exe"
# Wine's sound driver reports its missing MIDI device on every start; that is not ours to print.
wine build/win/startup_bench.exe 2> >(grep -v "^ALSA lib" >&2)
wine build/win/playlist_bench.exe
