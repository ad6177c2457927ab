#!/usr/bin/env bash
# Runs the Windows benchmarks of build/win32 under Wine, on a virtual display and in a fresh
# prefix, and writes their rows for the benchmark table: usage run-windows-bench.sh ROWS_FILE
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
build=build/$WINDOWS_PRESET

if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
rows=$(realpath -m "$2")
mkdir -p "$(dirname "$rows")"
rm -f "$rows"

fresh_wine_prefix "$PWD/$build/wineprefix-bench"
trap 'wineserver -k || true' EXIT
start=$(date +%s)
timeout 600 wine "$build/bin/tavrosk_windows_bench.exe" "$(winepath -w "$rows")"
echo "Windows benchmarks ran in $(( $(date +%s) - start )) s"
