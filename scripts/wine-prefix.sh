# Sourced by the Windows runners: how a build's programs run here, the virtual display with the
# box watcher, and fresh Wine prefixes. A runner starts with windows_runner, then makes its
# prefix with fresh_wine_session (or fresh_wine_prefix, where no box may be answered).
#
# win32, the shipped build, runs as 32-bit code: natively where the kernel starts 32-bit
# programs, else through qemu-i386 (scripts/with-emulated-i386.sh). TAVROSK_WINE32 picks the
# road: auto (the default), native, or emulated, which takes the emulated road even on a kernel
# that needs none, to try or time it. win64, the same sources built for 64-bit Windows, runs
# under 64-bit Wine alone (scripts/wine64/).

# Time limits grow by this factor where the 32-bit programs are emulated: the COM tests take
# seven to eight times as long there.
EMULATED_TIME_SCALE=${EMULATED_TIME_SCALE:-8}

# An i386 handler registered for the whole machine emulates every 32-bit program, so a 32-bit
# program that starts is not yet proof of the native road.
machine_emulates_i386() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    case ${entry##*/} in register | status) continue ;; esac
    [ -r "$entry" ] && [ "$(head -n 1 "$entry")" = enabled ] &&
      grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" && return 0
  done
  return 1
}

# wine32_road prints native or emulated.
wine32_road() {
  case "${TAVROSK_WINE32:-auto}" in
    native | emulated) echo "$TAVROSK_WINE32" ;;
    auto)
      if /usr/lib/wine/wine --version >/dev/null 2>&1 && ! machine_emulates_i386; then
        echo native
      else
        echo emulated
      fi
      ;;
    *)
      echo "TAVROSK_WINE32 is auto, native or emulated, not '$TAVROSK_WINE32'" >&2
      return 1
      ;;
  esac
}

# use_windows_preset PRESET sets WINDOWS_PRESET, build (build/PRESET), WINE_ROAD (how its
# programs run: "native 32-bit", "emulated 32-bit" or "64-bit") and WINE_TIME_SCALE. The road
# chosen is exported in TAVROSK_WINE32: once emulated, a 32-bit program starts, and a script that
# runs again under emulation must not take that for the native road.
use_windows_preset() {
  WINDOWS_PRESET=$1
  build=build/$1
  case $1 in
    win32)
      TAVROSK_WINE32=$(wine32_road) || return 1
      if [ "$TAVROSK_WINE32" = native ]; then
        WINE_ROAD="native 32-bit"
        WINE_TIME_SCALE=1
      else
        WINE_ROAD="emulated 32-bit"
        WINE_TIME_SCALE=$EMULATED_TIME_SCALE
      fi
      export TAVROSK_WINE32
      ;;
    win64)
      WINE_ROAD="64-bit"
      WINE_TIME_SCALE=1
      # Debian's wrapper would pick the 32-bit loader because it is installed.
      PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:$PATH"
      export PATH
      ;;
    *)
      echo "no Windows preset '$1' (win32 or win64)" >&2
      return 1
      ;;
  esac
  export WINDOWS_PRESET WINE_ROAD WINE_TIME_SCALE
}

# on_virtual_display SCREEN SCRIPT [ARGUMENT...] runs SCRIPT again with its arguments on a
# virtual X display of that size (Wine creates no window without one), emulated where the
# preset's programs are, and does not come back; in that second run it returns at once.
on_virtual_display() {
  [ -z "${TAVROSK_ON_DISPLAY:-}" ] || return 0
  local screen=$1
  shift
  export TAVROSK_ON_DISPLAY=1
  local emulate=()
  [ "$WINE_ROAD" != "emulated 32-bit" ] || emulate=(scripts/with-emulated-i386.sh)
  exec "${emulate[@]}" xvfb-run -a -s "-screen 0 $screen" "$@"
}

# windows_runner PRESET SCREEN "$0" "$@": what every Windows runner does first, the preset's
# settings (use_windows_preset), then the runner run again with its arguments on a virtual
# display of that size (on_virtual_display); in that second run it returns at once.
windows_runner() {
  use_windows_preset "$1" || return 1
  local screen=$2
  shift 2
  on_virtual_display "$screen" "$@"
}

# fresh_wine_prefix FOLDER [ARCH] makes a new Wine prefix of the build's width (or ARCH: win64
# for a prefix where the 32-bit build's programs run beside 64-bit ones) there and points Wine
# at it: no offer to install Mono or Gecko, no crash dialog, and no
# window manager needed on the virtual display (unmanaged windows close without waiting for
# one to answer).
fresh_wine_prefix() {
  export WINEARCH=${2:-$WINDOWS_PRESET}
  export WINEPREFIX="$1"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=-all
  local start scale=${WINE_TIME_SCALE:-1}
  start=$(date +%s)
  rm -rf "$WINEPREFIX"
  timeout $((180 * scale)) wineboot -i
  timeout $((60 * scale)) wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
    /t REG_DWORD /d 0 /f >/dev/null
  timeout $((60 * scale)) wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
    /d N /f >/dev/null
  timeout $((60 * scale)) wineserver -w
  echo "fresh Wine prefix ($WINE_ROAD) in $(($(date +%s) - start)) s"
}

# start_box_watcher NAME starts the watcher that answers every "Tavrosk" message box and records
# its text, and waits for its window; it lives as long as this Wine session (stop_wine ends
# both). Waiting also has Wine start its desktop and services from here: started from a test,
# they would keep ctest's output pipe open until the test timed out.
start_box_watcher() {
  local ready="$PWD/$build/$1.ready"
  rm -f "$ready"
  wine "$build/bin/tavrosk_box_watcher.exe" --ready "$(winepath -w "$ready")" &
  box_watcher=$!
  trap stop_wine EXIT
  for _ in $(seq $((600 * WINE_TIME_SCALE))); do
    [ -e "$ready" ] && return 0
    sleep 0.1
  done
  echo "the box watcher did not start" >&2
  return 1
}

# fresh_wine_session NAME [ARCH]: a fresh prefix in build/PRESET/NAME (of ARCH, as for
# fresh_wine_prefix) with the box watcher running in it; both end when the runner exits.
fresh_wine_session() {
  fresh_wine_prefix "$PWD/$build/$1" "${2:-}"
  start_box_watcher "box_watcher-$1"
}

# register_tavrosk registers the build's Tavrosk.dll in the prefix with regsvr32.
register_tavrosk() {
  timeout $((120 * WINE_TIME_SCALE)) wine regsvr32 /s "$(winepath -w "$build/bin/Tavrosk.dll")"
}

# timed WHAT COMMAND [ARGUMENT...] runs the command, then says how long WHAT took on this road;
# its status is the command's.
timed() {
  local what=$1 start status=0
  shift
  start=$(date +%s)
  "$@" || status=$?
  echo "$what ($WINE_ROAD) ran in $(($(date +%s) - start)) s"
  return "$status"
}

stop_wine() {
  wineserver -k || true
  if [ -n "${box_watcher:-}" ]; then wait "$box_watcher" 2>/dev/null || true; fi
  box_watcher=
}
