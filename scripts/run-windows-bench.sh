#!/usr/bin/env bash
# Runs the Windows benchmarks of build/PRESET (win32 or win64) under Wine (win32 natively or
# emulated, see wine-prefix.sh: emulated rows measure the emulator too), on a virtual display
# and in a fresh prefix, and writes their rows for the benchmark table, each named after the
# width it ran on and how: usage run-windows-bench.sh PRESET ROWS_FILE
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
windows_runner "${1:?usage: run-windows-bench.sh win32|win64 ROWS_FILE}" 1024x768x24 "$0" "$@"
rows=$(realpath -m "${2:?usage: run-windows-bench.sh win32|win64 ROWS_FILE}")
mkdir -p "$(dirname "$rows")"
rm -f "$rows"

fresh_wine_prefix "$PWD/$build/wineprefix-bench"
trap stop_wine EXIT
echo "Windows benchmarks ($WINE_ROAD), load average $(cut -d' ' -f1-3 /proc/loadavg)"
timed "Windows benchmarks" timeout $((600 * WINE_TIME_SCALE)) \
  wine "$build/bin/tavrosk_windows_bench.exe" "$(winepath -w "$rows")" "$WINE_ROAD"
