#!/usr/bin/env bash
# Every test: the native unit tests, then the real exe under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
status=0
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
bash tests/e2e/run.sh build/win32 || status=1
exit $status
