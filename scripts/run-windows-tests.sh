#!/usr/bin/env bash
# run-windows-tests.sh PRESET [CTEST-ARGUMENT...] runs the Windows test programs of build/PRESET
# (win32 or win64) under Wine: a fresh prefix every run, a virtual X display, and the box
# watcher in the background, which answers every "Tavrosk" message box and records its text for
# the tests. The release tests (label "release": the setup program installed and uninstalled)
# run after the others in a second fresh prefix, where no test has registered anything; for
# win32 a 64-bit one, where the release's two widths and plug-ins of both run side by side.
# The user docs (label "docs") run last, in a third fresh 64-bit prefix with no box watcher, as
# on a user's machine.
# The arguments after the preset go to ctest (for example -R windows -V).
#
# Writes build/PRESET/windows-results.tsv, a line per test program that ran: its name, passed
# or failed, how it ran (native 32-bit, emulated 32-bit, 64-bit), whether it loads Tavrosk.dll
# (label "tavrosk_dll") and its seconds; scripts/windows-tier-summary.sh reads it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
windows_runner "${1:?usage: run-windows-tests.sh win32|win64 [ctest argument...]}" 1024x768x24 \
  "$0" "$@"
shift

# Programs that cannot run under qemu-i386, and why; they run from the 64-bit build there.
not_emulated=()
exclude=()
if [ "$WINE_ROAD" = "emulated 32-bit" ] && [ ${#not_emulated[@]} -gt 0 ]; then
  exclude=(-E "^($(
    IFS='|'
    echo "${not_emulated[*]}"
  ))\$")
fi

results=$PWD/$build/windows-results
rm -rf "$results" "$results.tsv"
mkdir -p "$results"

# run_in_fresh_prefix FOLDER ARCH CTEST-ARGUMENT... (ARCH empty: the build's own; FOLDER
# wineprefix-docs: no box watcher)
run_in_fresh_prefix() {
  local prefix=$1 arch=$2
  shift 2
  if [ "$prefix" = wineprefix-docs ]; then
    fresh_wine_prefix "$PWD/$build/$prefix" "$arch"
  else
    fresh_wine_session "$prefix" "$arch"
  fi
  local status=0
  timed "Windows tests in $prefix" ctest --test-dir "$build" --output-on-failure \
    --timeout $((120 * WINE_TIME_SCALE)) --output-junit "$results/$prefix.xml" "${exclude[@]}" \
    "$@" || status=$?
  stop_wine
  return "$status"
}

# The programs of the junit file that ran, as lines of the results file.
record_results() {
  local dll_tests=$1
  sed -n 's/.*<testcase name="\([^"]*\)".* time="\([^"]*\)" status="\([^"]*\)".*/\1 \2 \3/p' \
    "$2" | while read -r name seconds state; do
    case $state in
      run) result=passed ;;
      fail) result=failed ;;
      *) continue ;;
    esac
    loads=no
    grep -qx "$name" <<<"$dll_tests" && loads=yes
    printf '%s\t%s\t%s\t%s\t%s\n' "$name" "$result" "$WINE_ROAD" "$loads" "${seconds%.*}"
  done
}

status=0
run_in_fresh_prefix wineprefix "" -LE 'release|docs' "$@" || status=$?
release_arch=
[ "$WINDOWS_PRESET" != win32 ] || release_arch=win64
if ctest --test-dir "$build" -N -L release "${exclude[@]}" "$@" | grep -q 'Total Tests: [1-9]'; then
  run_in_fresh_prefix wineprefix-release "$release_arch" -L release "$@" || status=$?
fi
if ctest --test-dir "$build" -N -L docs "${exclude[@]}" "$@" | grep -q 'Total Tests: [1-9]'; then
  run_in_fresh_prefix wineprefix-docs win64 -L docs "$@" || status=$?
fi

dll_tests=$(ctest --test-dir "$build" -N -L tavrosk_dll | sed -n 's/^ *Test *#[0-9]*: //p')
for junit in "$results"/wineprefix{,-release,-docs}.xml; do
  [ -e "$junit" ] && record_results "$dll_tests" "$junit"
done >"$results.tsv"
exit "$status"
