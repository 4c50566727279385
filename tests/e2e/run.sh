#!/usr/bin/env bash
# The Wine tests: a fresh 64-bit prefix and a private X server of their own,
# the four native event logs in System32 and decoys in SysWOW64, then the
# test programs. Ends with one line "N passed, M failed" over everything.
#
#   tests/e2e/run.sh BUILD_DIR     (BUILD_DIR holds Brenvo.exe and e2e_*.exe)
set -u

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
BUILD_DIR=$(cd "$1" && pwd) || exit 2
HERE=$(cd "$(dirname "$0")" && pwd)

PASSED=0
FAILED=0
BROKEN=0   # programs that could not run or gave no summary

WORK=$(mktemp -d "${TMPDIR:-/tmp}/brenvo-e2e.XXXXXX")
XVFB_PID=
export WINEPREFIX="$WORK/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# Without the glibc locale Wine silently falls back to code page 1252.
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
unset WINEDLLOVERRIDES

cleanup() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k </dev/null >/dev/null 2>&1
        wineserver -w </dev/null >/dev/null 2>&1
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step() { printf '## %s\n' "$*"; }

# Adds the last "N passed, M failed" line of a log to the totals; a log
# without one counts as a program that failed to run.
tally() {
    local name=$1 log=$2 rc=$3 line p f
    line=$(grep -aE '^(([A-Za-z]+): )?[0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        echo "!! $name gave no summary (exit code $rc)"
        BROKEN=$((BROKEN + 1))
        return
    fi
    p=$(sed -E 's/^.*\b([0-9]+) passed.*$/\1/' <<<"$line")
    f=$(sed -E 's/^.*\b([0-9]+) failed.*$/\1/' <<<"$line")
    PASSED=$((PASSED + p))
    FAILED=$((FAILED + f))
    if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
        echo "!! $name exited with code $rc although it reported no failure"
        BROKEN=$((BROKEN + 1))
    fi
}

# Runs one Windows test program; its output is GBK, shown as UTF-8.
run_exe() {
    local name=$1 exe=$2 limit=$3
    shift 3
    local out="$WORK/$name.out" err="$WORK/$name.err" rc
    step "$name"
    if [ ! -f "$exe" ]; then
        echo "!! $exe is missing"
        BROKEN=$((BROKEN + 1))
        return
    fi
    timeout -k 10 "$limit" wine "$exe" "$@" </dev/null >"$out" 2>"$err"
    rc=$?
    iconv -f GBK -t UTF-8 -c <"$out"
    [ "$rc" -eq 124 ] && echo "!! $name did not finish within $limit s"
    if [ "$rc" -ne 0 ] && [ -s "$err" ]; then
        echo "-- stderr of $name (last lines):"
        tail -n 20 "$err"
    fi
    tally "$name" "$out" "$rc"
}

# Runs a test script of the project's own that prints the same summary.
run_script() {
    local name=$1 limit=$2
    shift 2
    local out="$WORK/$name.out" rc
    step "$name"
    timeout -k 10 "$limit" "$@" </dev/null >"$out" 2>&1
    rc=$?
    cat "$out"
    tally "$name" "$out" "$rc"
}

# ---- the X server: a free display of its own choosing
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
done
if [ ! -s "$WORK/display" ]; then
    echo "!! Xvfb did not start"; cat "$WORK/xvfb.log"
    echo "0 passed, 1 failed"
    exit 1
fi
export DISPLAY=":$(head -n 1 "$WORK/display")"
step "Xvfb on $DISPLAY"

# ---- the prefix
step "wineboot (prefix $WINEPREFIX)"
WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wineboot -i </dev/null >"$WORK/wineboot.log" 2>&1
if [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    echo "!! wineboot did not make a 64-bit prefix"; tail -n 20 "$WORK/wineboot.log"
    echo "0 passed, 1 failed"
    exit 1
fi

# Each file has a random part, a Ctrl+Z, a NUL and a high byte, so a copy
# in text mode, a stale file or a decoy cannot pass for the real one.
TAG=$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')
export E2E_TAG=$TAG
NATIVE="$WINEPREFIX/drive_c/windows/system32/winevt/Logs"
DECOY="$WINEPREFIX/drive_c/windows/syswow64/winevt/Logs"
mkdir -p "$NATIVE" "$DECOY"
for name in Application Security Setup System; do
    printf 'NATIVE-%s-%s\x00\x1a\xff\r\n%s' "$name" "$TAG" "$name" >"$NATIVE/$name.evtx"
    printf 'WOW64-DECOY-%s-%s\r\n' "$name" "$TAG" >"$DECOY/$name.evtx"
done

# The tool runs from a folder of the prefix, where its Config.ini goes.
mkdir -p "$WINEPREFIX/drive_c/tool"
if [ -f "$BUILD_DIR/Brenvo.exe" ]; then
    cp "$BUILD_DIR/Brenvo.exe" "$WINEPREFIX/drive_c/tool/Brenvo.exe"
else
    echo "!! $BUILD_DIR/Brenvo.exe is missing"
    BROKEN=$((BROKEN + 1))
fi

# ---- the tests
run_exe foundation "$BUILD_DIR/e2e_foundation.exe" 240
run_exe driver "$BUILD_DIR/e2e_driver.exe" 480
run_exe menu "$BUILD_DIR/e2e_menu.exe" 120
if [ -f "$HERE/ini_agree.sh" ]; then
    run_script ini_agree 240 bash "$HERE/ini_agree.sh" "$BUILD_DIR/ini_agree.exe"
fi
if [ -f "$HERE/check_resources.py" ]; then
    run_script check_resources 120 python3 "$HERE/check_resources.py" "$BUILD_DIR/Brenvo.exe"
fi

[ "$BROKEN" -gt 0 ] && echo "!! $BROKEN program(s) failed to run or to report"
echo "$PASSED passed, $((FAILED + BROKEN)) failed"
[ "$FAILED" -eq 0 ] && [ "$BROKEN" -eq 0 ]
