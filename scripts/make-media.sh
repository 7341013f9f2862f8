#!/usr/bin/env bash
# Generates the test and demo media with ffmpeg (never committed). Usage: make-media.sh FOLDER
set -euo pipefail
out="$1"
mkdir -p "$out"
# Bump when the set changes, so that an older set is made again.
version=4
[ "$(cat "$out/.complete" 2>/dev/null)" = "$version" ] && exit 0

ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
# A moving test picture, so that a captured frame is never plain black.
pic() { echo "testsrc2=size=$1:rate=25:duration=$2"; }
tone() { echo "sine=frequency=440:sample_rate=44100:duration=$1"; }

ff -f lavfi -i "$(pic 320x240 3)" -f lavfi -i "$(tone 3)" -c:v mpeg4 -q:v 4 -c:a mp3 -shortest "$out/clip320.avi"
ff -f lavfi -i "$(pic 320x240 3)" -c:v mpeg4 -q:v 4 "$out/silent320.avi"
ff -f lavfi -i "$(pic 640x360 3)" -f lavfi -i "$(tone 3)" -c:v libx264 -pix_fmt yuv420p -preset veryfast \
    -c:a aac -shortest "$out/clip640.mp4"
ff -f lavfi -i "$(pic 640x360 2)" -c:v mpeg4 -q:v 4 "$out/silent640.avi"
ff -f lavfi -i "$(tone 3)" -c:a pcm_s16le "$out/tone.wav"
ff -f lavfi -i "$(pic 320x240 5)" -f lavfi -i "$(tone 5)" -c:v mpeg4 -q:v 4 -c:a mp3 -shortest "$out/demo.avi"
ff -f lavfi -i "$(pic 320x240 8)" -f lavfi -i "$(tone 8)" -c:v mpeg4 -q:v 4 -c:a mp3 -shortest "$out/clip8.avi"
# Video CD tracks: MPEG-1 system streams, PAL and NTSC, so that their sizes tell them apart.
ff -f lavfi -i "$(pic 352x288 2)" -f lavfi -i "$(tone 2)" -target pal-vcd -shortest "$out/vcd-pal.mpg"
ff -f lavfi -i "$(pic 352x240 2)" -f lavfi -i "$(tone 2)" -target ntsc-vcd -shortest "$out/vcd-ntsc.mpg"
# A Flash movie of 100 frames at 25 a second (SWF, uncompressed header).
ff -f lavfi -i "$(pic 320x240 4)" -frames:v 100 -c:v flv1 "$out/movie.swf"
# Something with a media file's name that no decoder can read.
head -c 65536 /dev/urandom >"$out/corrupt.avi"
echo "$version" >"$out/.complete"
