# Sourced by the other scripts: a private, quiet Wine prefix and a headless display when needed.
# Everything started here is recorded and stopped by stop_started.

ZON_CACHE="${ZON_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zonplayer}"
export WINEPREFIX="$ZON_CACHE/wineprefix"
ZON_STOCK=""
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# The running shell may not see a locale generated moments ago; the programs it starts do.
export LC_ALL=zh_CN.UTF-8 2>/dev/null
ZON_STARTED_XVFB=""
ZON_SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# A home of our own for Wine's sound set-up, so that a headless run gets a null ALSA device
# (a mixer for winmm, a device for DirectSound) without touching the user's ~/.asoundrc.
use_null_sound() {
    export HOME="$ZON_CACHE/home"
    mkdir -p "$HOME"
    printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
}

# The second prefix of the tests, like stock Windows: its DirectShow has no splitter for MP4, MOV,
# M4A, MKV, WebM, FLV or Ogg (stock-windows.reg), so those files take the player's own Media
# Foundation source there. Call before ensure_prefix.
use_stock_prefix() {
    export WINEPREFIX="$ZON_CACHE/wineprefix-stock"
    ZON_STOCK=1
}

# Settings the tests rely on; bump the version when they change so old prefixes are updated.
ZON_PREFIX_VERSION=3
ensure_prefix() {
    local marker="$WINEPREFIX/.zonplayer-ready"
    # Drive V: is a CD-ROM drive whose disc is the folder ZON_DISC; the tests put a disc's folders in it.
    export ZON_DISC="$ZON_CACHE/disc"
    mkdir -p "$ZON_DISC"
    [ -d "$WINEPREFIX/dosdevices" ] && ln -sfn "$ZON_DISC" "$WINEPREFIX/dosdevices/v:"
    [ "$(cat "$marker" 2>/dev/null)" = "$ZON_PREFIX_VERSION" ] && return 0
    mkdir -p "$ZON_CACHE"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX (once, about 20 s)"
        wineboot --init >/dev/null 2>&1 || true
        wineserver -w
    fi
    ln -sfn "$ZON_DISC" "$WINEPREFIX/dosdevices/v:"
    # Unmanaged windows (no 2 s wait on every destroy without a window manager), no crash dialog,
    # Direct3D drawn through GDI (the OpenGL path shows no video frames on a virtual X server),
    # and the Chinese UI font for the face the program asks for.
    local reg="$ZON_CACHE/settings.reg"
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
        '[HKEY_LOCAL_MACHINE\Software\Wine\Drives]' '"v:"="cdrom"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Direct3D]' '"renderer"="gdi"' '' \
        '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
        '"宋体"="WenQuanYi Micro Hei"' '' | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    if [ -n "$ZON_STOCK" ]; then
        wine regedit /S "$(winepath -w "$ZON_SCRIPTS/stock-windows.reg" 2>/dev/null)" >/dev/null 2>&1
    fi
    wineserver -w
    echo "$ZON_PREFIX_VERSION" >"$marker"
}

# Starts Xvfb on a free display when there is no DISPLAY; sets DISPLAY either way.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${ZON_FORCE_XVFB:-}" ]; then
        return 0
    fi
    local n=90
    while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    ZON_STARTED_XVFB=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X${n}" ] && break
        sleep 0.05
    done
}

stop_started() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$ZON_STARTED_XVFB" ]; then
        kill "$ZON_STARTED_XVFB" >/dev/null 2>&1 || true
        wait "$ZON_STARTED_XVFB" 2>/dev/null || true
        ZON_STARTED_XVFB=""
    fi
}
