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
. "$HERE/../../tools/wine-session.sh"
cleanup() { wine_session_stop; }
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

# ---- a private X server and a fresh prefix
step "Xvfb and wineboot"
if ! wine_session_start "$WORK"; then
    echo "0 passed, 1 failed"
    exit 1
fi
step "display $DISPLAY, prefix $WINEPREFIX"

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
