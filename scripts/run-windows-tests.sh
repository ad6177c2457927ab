#!/usr/bin/env bash
# Runs the Windows test programs of build/win32 under Wine: a fresh prefix every run, a
# virtual X display (Wine cannot create windows without one), and the box watcher in the
# background, which answers every "Tavrosk" message box and records its text for the tests.
# The release tests (label "release": the setup program installed and uninstalled) run after
# the others in a second fresh prefix, where no test has registered anything.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
build=build/$WINDOWS_PRESET

# Arguments go to ctest (for example -R windows -V).
if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
shift


# run_in_fresh_prefix FOLDER CTEST-ARGUMENTS...
run_in_fresh_prefix() {
  local prefix=$1
  shift
  fresh_wine_prefix "$PWD/$build/$prefix"
  # The watcher lives as long as this Wine session. Waiting for its window also has Wine start
  # its desktop and services from here: started from a test, they would keep ctest's output
  # pipe open until the test timed out.
  local ready="$PWD/$build/box_watcher.ready"
  rm -f "$ready"
  wine "$build/bin/tavrosk_box_watcher.exe" --ready "$(winepath -w "$ready")" &
  local watcher=$!
  trap 'wineserver -k || true; wait "$watcher" 2>/dev/null || true' EXIT
  for _ in $(seq 600); do [ -e "$ready" ] && break; sleep 0.1; done
  [ -e "$ready" ] || { echo "the box watcher did not start" >&2; return 1; }

  local start status=0
  start=$(date +%s)
  ctest --test-dir "$build" --output-on-failure --timeout 120 "$@" || status=$?
  echo "Windows tests ($prefix) ran in $(( $(date +%s) - start )) s"
  wineserver -k || true
  wait "$watcher" 2>/dev/null || true
  trap - EXIT
  return "$status"
}

status=0
run_in_fresh_prefix wineprefix -LE release "$@" || status=$?
if ctest --test-dir "$build" -N -L release "$@" | grep -q 'Total Tests: [1-9]'; then
  run_in_fresh_prefix wineprefix-release -L release "$@" || status=$?
fi
exit "$status"
