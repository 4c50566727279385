# Sourced by the scripts that run the tool under Wine: a private X server
# and a fresh 64-bit prefix under one work folder, and the stop that ends
# only what was started here.
#
#   wine_session_start WORK    exports DISPLAY, WINEPREFIX, WINEARCH, ...
#   wine_session_stop          also removes WORK

WINE_SESSION_WORK=
WINE_SESSION_XVFB=

wine_session_start() {
    WINE_SESSION_WORK=$1
    export WINEPREFIX="$WINE_SESSION_WORK/prefix" WINEARCH=win64 WINEDEBUG=-all
    # Without the glibc locale Wine silently falls back to code page 1252.
    export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
    unset WINEDLLOVERRIDES

    # A free display of the server's own choosing.
    exec 3>"$WINE_SESSION_WORK/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$WINE_SESSION_WORK/xvfb.log" 2>&1 &
    WINE_SESSION_XVFB=$!
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$WINE_SESSION_WORK/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$WINE_SESSION_WORK/display" ]; then
        echo "!! Xvfb did not start" >&2
        cat "$WINE_SESSION_WORK/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$WINE_SESSION_WORK/display")"

    WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wineboot -i </dev/null >"$WINE_SESSION_WORK/wineboot.log" 2>&1
    if [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
        echo "!! wineboot did not make a 64-bit prefix" >&2
        tail -n 20 "$WINE_SESSION_WORK/wineboot.log" >&2
        return 1
    fi
    # With no window manager on the private X server, Wine waits 2 s at the
    # end of every top-level window for one to let go of it; unmanaged
    # windows end at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
}

wine_session_stop() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k </dev/null >/dev/null 2>&1
        wineserver -w </dev/null >/dev/null 2>&1
    fi
    if [ -n "$WINE_SESSION_XVFB" ]; then
        kill "$WINE_SESSION_XVFB" 2>/dev/null
        wait "$WINE_SESSION_XVFB" 2>/dev/null
        WINE_SESSION_XVFB=
    fi
    [ -n "$WINE_SESSION_WORK" ] && rm -rf "$WINE_SESSION_WORK"
}
