#!/usr/bin/env bash
# The benchmark: Brenvo.exe against the floor the system sets, every figure
# with its baseline measured in the same run under one fresh 64-bit Wine
# prefix and a private X server. Prints the machine and one table.
#
#   bash bench/run.sh
set -u

ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT" || exit 1

step() { printf '## %s\n' "$*" >&2; }

# ---- builds: the product (and whatever the machine lacks), then the bench
bash tools/setup.sh >&2 || { echo "!! the product did not build" >&2; exit 1; }
step "building build/bench"
{ cmake -S bench -B build/bench -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" &&
  cmake --build build/bench; } >/dev/null || { echo "!! the benchmark did not build" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/brenvo-bench.XXXXXX")
. "$ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
trap 'exit 130' INT TERM

step "Xvfb and wineboot"
wine_session_start "$WORK" || exit 1
step "display $DISPLAY, prefix $WINEPREFIX"

# Four native event logs of a few hundred KB each.
LOGS="$WINEPREFIX/drive_c/windows/system32/winevt/Logs"
mkdir -p "$LOGS"
size=200
for name in Application Security Setup System; do
    head -c $((size * 1024)) /dev/urandom >"$LOGS/$name.evtx"
    size=$((size + 100))
done

BENCH="$WINEPREFIX/drive_c/bench"
mkdir -p "$BENCH/tool" "$BENCH/bare"
cp build/win32/Brenvo.exe "$BENCH/tool/Brenvo.exe"
cp build/bench/bench_bare.exe "$BENCH/bare/Bare.exe"

# ---- the machine
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
mem=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
echo "machine: $(nproc) CPUs, ${cpu:-unknown CPU}, $mem memory, $(wine --version 2>/dev/null), $(uname -sr)"
echo "prefix:  fresh 64-bit Wine prefix, LC_ALL=$LC_ALL, Xvfb $DISPLAY 1024x768x24; tool and driver are 32-bit"

# ---- the measurements
step "measuring (a minute or two)"
timeout -k 10 600 wine build/bench/bench_driver.exe 'C:\bench\result.txt' </dev/null >"$WORK/driver.out" 2>&1
rc=$?
if [ -f "$BENCH/result.txt" ]; then
    cat "$BENCH/result.txt"
else
    echo "!! the driver wrote no result (exit code $rc)"
    tail -n 20 "$WORK/driver.out"
fi
[ "$rc" -eq 124 ] && echo "!! the driver did not finish within 600 s"
exit "$rc"
