#!/usr/bin/env bash
# Runs every test layer: core natively (sanitizers) and under Wine, Win32 units and end to end under
# Wine, in the normal test prefix and then in one like stock Windows. Ends with one line: N passed,
# N failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/build.sh || { echo "0 passed, 1 failed"; exit 1; }
bash scripts/make-media.sh build/media

results="$root/build/results"
rm -rf "$results"
mkdir -p "$results"
passed=0
failed=0

# Adds one GoogleTest run to the totals from its XML report; a run without a report (a crash) or
# with a non-zero exit and no failures counted is one failure.
count() {
    local name=$1 status=$2 xml="$results/$1.xml"
    local tests=0 failures=0 disabled=0 skipped=0
    if [ -f "$xml" ]; then
        local head
        head=$(grep -m1 '<testsuites' "$xml")
        tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
        failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
        disabled=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$head")
        skipped=$(grep -c '<skipped' "$xml" || true)
    fi
    local ok=$((tests - failures - disabled - skipped))
    [ "$ok" -lt 0 ] && ok=0
    if [ ! -f "$xml" ] || { [ "$status" != 0 ] && [ "$failures" = 0 ]; }; then
        echo "$name: exited with status $status without a complete report"
        failures=$((failures + 1))
    fi
    echo "$name: $ok passed, $failures failed"
    passed=$((passed + ok))
    failed=$((failed + failures))
}

# The player starts as fast as a bare window only while it loads nothing else before its first paint:
# every other DLL is bound on first use.
echo "== imports"
imports=$(x86_64-w64-mingw32-objdump -p build/win/ZonPlayer.exe | sed -n 's/^\s*DLL Name: //p' | tr A-Z a-z |
    sort | tr '\n' ' ')
if [ "$imports" = "gdi32.dll kernel32.dll msvcrt.dll user32.dll " ]; then
    echo "imports: 1 passed, 0 failed"
    passed=$((passed + 1))
else
    echo "imports: 0 passed, 1 failed: the player loads $imports before it starts"
    failed=$((failed + 1))
fi

echo "== core tests (native, AddressSanitizer + UBSan)"
(cd "$results" && timeout 300 "$root/build/native/core_tests" --gtest_output=xml:core-native.xml \
    >core-native.log 2>&1)
count core-native $?

source scripts/wine-env.sh
use_null_sound
ZON_FORCE_XVFB=1 ensure_display
ensure_prefix
trap stop_started EXIT
# Wine has no DVD navigator and no Flash control: the tests' own stand in, as registered COM servers;
# and a source filter that misbehaves on purpose, for files that begin with "zonfault".
for standin in dvd_standin flash_standin misbehaving_source; do
    wine regsvr32 /s "$(winepath -w "$root/build/win/$standin.dll")" >/dev/null 2>&1 ||
        echo "$standin could not be registered"
done
# Folders the tests made under the prefix's temporary folder in earlier runs.
rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/zon-* 2>/dev/null
wineserver -p

run_wine() {
    local name=$1 exe=$2
    shift 2
    echo "== $name (Wine)"
    local status
    for attempt in 1 2; do
        (cd "$results" && timeout 900 wine "$root/build/win/$exe" --gtest_output="xml:$name.xml" "$@" \
            >"$name.log" 2>&1)
        status=$?
        [ -f "$results/$name.xml" ] && break
        # No report: the program crashed or hung. Wine's media threads race now and then, so what
        # it printed last is shown and it runs once more; a second failure counts.
        tr -d '\r' <"$results/$name.log" | tail -8
        mv "$results/$name.log" "$results/$name.attempt$attempt.log"
        [ "$attempt" = 1 ] && echo "$name: ended without a report (status $status); running it once more"
    done
    count "$name" $status
    # Each failed check with what it expected and what it found, then the failed tests' names.
    if [ -f "$results/$name.xml" ] && grep -q '<failure' "$results/$name.xml"; then
        tr -d '\r' <"$results/$name.log" | grep -A6 ': Failure$' | head -60
        tr -d '\r' <"$results/$name.log" | grep '^\[  FAILED  \]' | head -20
        # A player that did not end: where each of its threads waited.
        tr -d '\r' <"$results/$name.log" | grep '^stuck player' | cut -c1-400 | head -40
    fi
}

export ZON_MEDIA="$root/build/media"
export ZON_PLAYER_EXE="$root/build/win/ZonPlayer.exe"
started=$SECONDS
run_wine core-wine core_tests.exe
run_wine win32 win_tests.exe '--gtest_filter=-StockWindows*'
run_wine e2e e2e_tests.exe '--gtest_filter=-StockWindows*'
# A short soak here; `make soak` runs the hour.
ZON_SOAK_MINUTES="${ZON_SOAK_MINUTES:-2}" run_wine soak soak_tests.exe
echo "(the normal prefix: $((SECONDS - started)) s)"

# The prefix like stock Windows, whose DirectShow splits no MP4, MOV, M4A, MKV, WebM, FLV or Ogg:
# there those play through the player's own Media Foundation source. Its cases run there alone.
wineserver -k
use_stock_prefix
ensure_prefix
rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/zon-* 2>/dev/null
wineserver -p
started=$SECONDS
run_wine win32-stock win_tests.exe '--gtest_filter=StockWindows*'
run_wine e2e-stock e2e_tests.exe '--gtest_filter=StockWindows*'
echo "(the prefix like stock Windows: $((SECONDS - started)) s)"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
