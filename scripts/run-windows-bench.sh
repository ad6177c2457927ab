#!/usr/bin/env bash
# Runs the Windows benchmarks of build/win32 under Wine (natively or emulated, see
# wine-prefix.sh: emulated rows measure the emulator too), on a virtual display and in a fresh
# prefix, and writes their rows for the benchmark table: usage run-windows-bench.sh ROWS_FILE
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
windows_runner win32 1024x768x24 "$0" "$@"
rows=$(realpath -m "$1")
mkdir -p "$(dirname "$rows")"
rm -f "$rows"

fresh_wine_prefix "$PWD/$build/wineprefix-bench"
trap stop_wine EXIT
timed "Windows benchmarks" timeout $((600 * WINE_TIME_SCALE)) \
  wine "$build/bin/tavrosk_windows_bench.exe" "$(winepath -w "$rows")"
