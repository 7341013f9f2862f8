#!/usr/bin/env bash
# Runs the benchmarks under Wine and prints their measurements and ratios.
# ZON_BENCH_RUNS (20) and ZON_BENCH_PLAY_RUNS (3) set how many pairs of runs each figure takes.
# The last two figures put the player in the test prefix like stock Windows, where an MP4 plays
# through its own Media Foundation source, against the bare DirectShow player in the normal prefix.
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
# Wine's sound driver reports its missing MIDI device on every start, and GStreamer what it could not
# make of the unplayable file; that is not ours to print.
wine build/win/startup_bench.exe 2> >(grep -v -e "^ALSA lib" -e "GStreamer-CRITICAL" -e "^$" >&2)
wine build/win/playlist_bench.exe

# One program cannot start another in a second prefix: the runs of each side are made here, one at a
# time and alternating, and the bench pairs their figures up.
normal_prefix=$WINEPREFIX
use_stock_prefix
ensure_prefix
stock_prefix=$WINEPREFIX
trap 'stop_started; WINEPREFIX=$normal_prefix wineserver -k >/dev/null 2>&1' EXIT
# Servers that stay, so that each run starts at once (the normal one may be up already).
WINEPREFIX=$normal_prefix wineserver -p || true
WINEPREFIX=$stock_prefix wineserver -p || true
one() { # figure side
    local prefix=$normal_prefix
    [ "$2" = player ] && prefix=$stock_prefix
    # A run that failed prints nothing and is left out of the pairs.
    WINEPREFIX=$prefix wine build/win/startup_bench.exe --one "$1" "$2" 2>/dev/null | tr -d '\r' || true
}
pairs="$root/build/bench-stock-pairs.txt"
: >"$pairs"
# The first run of each side fills the system's caches; it is not counted.
one first-frame player >/dev/null
one first-frame bare >/dev/null
for figure in first-frame cpu; do
    n=$((${ZON_BENCH_RUNS:-20} / 2))
    [ "$figure" = cpu ] && n=${ZON_BENCH_PLAY_RUNS:-3}
    for i in $(seq 1 "$n"); do
        if [ $((i % 2)) = 1 ]; then
            one "$figure" player >>"$pairs"
            one "$figure" bare >>"$pairs"
        else
            one "$figure" bare >>"$pairs"
            one "$figure" player >>"$pairs"
        fi
    done
done
wine build/win/startup_bench.exe --pairs "$(winepath -w "$pairs")"
