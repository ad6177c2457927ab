#!/usr/bin/env bash
# Runs the soak under Wine: a fresh prefix on a virtual display, Tavrosk.dll registered
# there with regsvr32, and the box watcher, which records any message box (the soak expects
# none) instead of letting it wait for a user.
#   run-soak.sh DIRECT_CALLS RELAY_EXCHANGES
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
build=build/$WINDOWS_PRESET

if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
calls=$2
relay=$3

fresh_wine_prefix "$PWD/$build/wineprefix-soak"
timeout 120 wine regsvr32 /s "$(winepath -w "$build/bin/Tavrosk.dll")"

ready="$PWD/$build/box_watcher_soak.ready"
rm -f "$ready"
wine "$build/bin/tavrosk_box_watcher.exe" --ready "$(winepath -w "$ready")" &
watcher=$!
trap 'wineserver -k || true; wait "$watcher" 2>/dev/null || true' EXIT
for _ in $(seq 600); do [ -e "$ready" ] && break; sleep 0.1; done
[ -e "$ready" ] || { echo "the box watcher did not start" >&2; exit 1; }

start=$(date +%s)
status=0
# Bounded: a soak that hangs fails rather than holding CI until its own limit.
timeout "${SOAK_TIMEOUT:-5400}" wine "$build/bin/tavrosk_soak.exe" "$calls" "$relay" || status=$?
echo "soak of $calls direct calls and $relay relay exchanges ran in $(( $(date +%s) - start )) s"
exit "$status"
