# Sourced by the Windows runners. fresh_wine_prefix FOLDER makes a new 32-bit Wine prefix
# there and points Wine at it: no offer to install Mono or Gecko, no crash dialog, and no
# window manager needed on the virtual display (unmanaged windows close without waiting for
# one to answer).
fresh_wine_prefix() {
  export WINEARCH=win32
  export WINEPREFIX="$1"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=-all
  local start
  start=$(date +%s)
  rm -rf "$WINEPREFIX"
  timeout 180 wineboot -i
  timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
  timeout 60 wineserver -w
  echo "fresh Wine prefix in $(( $(date +%s) - start )) s"
}
