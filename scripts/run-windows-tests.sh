#!/usr/bin/env bash
# Runs the Windows test programs of build/win32 under Wine: a fresh 32-bit prefix every run, a
# virtual X display (Wine cannot create windows without one), and the box watcher in the
# background, which answers every "Tavrosk" message box and records its text for the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win32

# Arguments go to ctest (for example -R windows -V).
if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
shift

export WINEARCH=win32
export WINEPREFIX="$PWD/$build/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="  # no offer to install Mono or Gecko
export WINEDEBUG=-all

start=$(date +%s)
rm -rf "$WINEPREFIX"
timeout 180 wineboot -i
timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  >/dev/null
# No window manager runs on the virtual display: windows left unmanaged close without waiting
# for one to answer.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
timeout 60 wineserver -w
echo "fresh Wine prefix in $(( $(date +%s) - start )) s"

# The watcher lives as long as this Wine session; the tests wait for its window.
wine "$build/bin/tavrosk_box_watcher.exe" &
watcher=$!
trap 'wineserver -k || true; wait "$watcher" 2>/dev/null || true' EXIT

start=$(date +%s)
status=0
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@" || status=$?
echo "Windows tests ran in $(( $(date +%s) - start )) s"
exit "$status"
