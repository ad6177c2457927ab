# Sourced by the Windows runners.
#
# WINDOWS_PRESET names the build whose programs Wine runs: win32, the shipped build, where this
# machine runs 32-bit programs. A kernel without IA-32 emulation runs none, so 32-bit Wine cannot
# start at all; there the same sources built for 64-bit Windows (preset win64) run under 64-bit
# Wine instead, and the 32-bit build is only compiled.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  WINDOWS_PRESET=win32
else
  WINDOWS_PRESET=win64
  PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:$PATH"
  export PATH
fi

# fresh_wine_prefix FOLDER makes a new Wine prefix of the build's width there and points Wine
# at it: no offer to install Mono or Gecko, no crash dialog, and no
# window manager needed on the virtual display (unmanaged windows close without waiting for
# one to answer).
fresh_wine_prefix() {
  export WINEARCH=$WINDOWS_PRESET
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
