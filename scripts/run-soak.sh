#!/usr/bin/env bash
# Runs the soak under Wine from the shipped win32 build (natively or emulated, see
# wine-prefix.sh): a fresh prefix on a virtual display, Tavrosk.dll registered there with
# regsvr32, and the box watcher, which records any message box (the soak expects none) instead
# of letting it wait for a user.
#   run-soak.sh DIRECT_CALLS RELAY_EXCHANGES
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
windows_runner win32 1024x768x24 "$0" "$@"
calls=$1
relay=$2

fresh_wine_session wineprefix-soak
register_tavrosk
# Bounded: a soak that hangs fails rather than holding CI until its own limit.
timed "soak of $calls direct calls and $relay relay exchanges" \
  timeout "${SOAK_TIMEOUT:-5400}" wine "$build/bin/tavrosk_soak.exe" "$calls" "$relay"
