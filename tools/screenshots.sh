#!/usr/bin/env bash
# Pictures of the tool as an operator sees it: the English layout, the
# Chinese layout and the About window, each a PNG of the whole screen of a
# private X server, taken in a fresh Wine prefix.
#
#   tools/screenshots.sh OUTDIR [BUILD_DIR]    (BUILD_DIR: build/win32)
#
# The window driver (e2e_driver.exe shots) puts the tool into each state and
# waits; this script takes the picture.
set -u

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 OUTDIR [BUILD_DIR]" >&2
    exit 2
fi
ROOT=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1" || exit 2
OUT=$(cd "$1" && pwd)
BUILD_DIR=$(cd "${2:-$ROOT/build/win32}" && pwd) || exit 2
for f in Brenvo.exe e2e_driver.exe; do
    [ -f "$BUILD_DIR/$f" ] || { echo "$BUILD_DIR/$f is missing" >&2; exit 1; }
done
command -v import >/dev/null || { echo "import (imagemagick) is missing" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/brenvo-shots.XXXXXX")
DRIVER_PID=
. "$ROOT/tools/wine-session.sh"

cleanup() {
    [ -n "$DRIVER_PID" ] && kill "$DRIVER_PID" 2>/dev/null
    wine_session_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "preparing a Wine prefix ..."
wine_session_start "$WORK" || exit 1
# With no window manager to draw them, Wine draws the title bars and frames
# itself, as Windows does, once it is told that no one else will.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
mkdir -p "$WINEPREFIX/drive_c/tool" "$WINEPREFIX/drive_c/shots"
cp "$BUILD_DIR/Brenvo.exe" "$WINEPREFIX/drive_c/tool/Brenvo.exe"

wine "$BUILD_DIR/e2e_driver.exe" shots </dev/null >"$WORK/driver.out" 2>&1 &
DRIVER_PID=$!
SHOTS="$WINEPREFIX/drive_c/shots"
status=0
for name in english chinese about; do
    for _ in $(seq 600); do
        [ -e "$SHOTS/$name.ready" ] && break
        kill -0 "$DRIVER_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -e "$SHOTS/$name.ready" ]; then
        echo "the tool never reached the state \"$name\"" >&2
        status=1
        break
    fi
    import -window root "$OUT/$name.png" && echo "$OUT/$name.png"
    : >"$SHOTS/$name.done"
done
wait "$DRIVER_PID"
driver=$?
DRIVER_PID=
if [ "$driver" -ne 0 ]; then
    iconv -f GBK -t UTF-8 -c <"$WORK/driver.out" >&2
    status=1
fi
exit "$status"
