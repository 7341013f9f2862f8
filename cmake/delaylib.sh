#!/bin/sh
# Makes a delay-import library for DLL out of its import library: the same functions, each bound on
# its first call instead of when the program loads. Usage: delaylib.sh NM DLLTOOL IMPORT-LIB DLL OUT
set -eu
nm="$1" dlltool="$2" lib="$3" dll="$4" out="$5"
def="$out.def"
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    "$nm" -g --defined-only "$lib" | sed -n 's/^[0-9a-f]* T //p' | sort -u
} >"$def"
"$dlltool" --input-def "$def" --dllname "$dll" --output-delaylib "$out"
