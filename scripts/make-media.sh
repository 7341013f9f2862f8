#!/usr/bin/env bash
# Generates the test and demo media with ffmpeg (never committed). Usage: make-media.sh FOLDER
set -euo pipefail
out="$1"
mkdir -p "$out"
# Bump when the set changes, so that an older set is made again.
version=6
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
# Red beside green over eight columns that are the bits of the frame number: a picture whose every
# frame says which it is. In the containers stock Windows' DirectShow cannot split.
bits='255*gt(bitand(N\,pow(2\,floor(X/40)))\,0)'
pattern() {
    echo "color=c=black:s=320x240:r=25:d=$1,format=rgb24,geq=r='if(lt(Y\,120)\,255*lt(X\,160)\,$bits)':g='if(lt(Y\,120)\,255*gte(X\,160)\,$bits)':b='if(lt(Y\,120)\,0\,$bits)'"
}
h264="-c:v libx264 -pix_fmt yuv420p -preset veryfast"
ff -f lavfi -i "$(pattern 8)" -f lavfi -i "$(tone 8)" $h264 -c:a aac -shortest "$out/pattern.mp4"
ff -f lavfi -i "$(pattern 1)" -f lavfi -i "$(tone 1)" $h264 -c:a aac -shortest "$out/short.mp4"
ff -f lavfi -i "$(pattern 1)" -f lavfi -i "$(tone 1)" $h264 -c:a aac -shortest "$out/short.mov"
ff -f lavfi -i "$(pattern 1)" -f lavfi -i "$(tone 1)" $h264 -c:a libvorbis -shortest "$out/short.mkv"
ff -f lavfi -i "$(pattern 1)" -f lavfi -i "$(tone 1)" -c:v libvpx-vp9 -pix_fmt yuv420p -deadline realtime -cpu-used 8 \
    -c:a libopus -shortest "$out/short.webm"
ff -f lavfi -i "$(tone 1)" -c:a aac "$out/short.m4a"
# Something with a media file's name that no decoder can read.
head -c 65536 /dev/urandom >"$out/corrupt.avi"
echo "$version" >"$out/.complete"
