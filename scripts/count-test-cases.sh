#!/usr/bin/env bash
# Prints, per suite, how many test cases the native build and the Windows build hold, and the
# Windows share. The Windows build is listed under Wine: the shipped win32 build where it runs
# natively, else the win64 build of the same sources (a listing is not worth emulating). Where
# Wine cannot run, the count is read from the native listing instead: every case outside a
# sim/ folder, less the code-page instances that only the simulation offers, and the table says
# so. Run after the builds, near the end of `make test`.
set -euo pipefail
cd "$(dirname "$0")/.."
native=build/native/tests
source scripts/wine-prefix.sh
use_windows_preset win32
[ "$WINE_ROAD" = "native 32-bit" ] || use_windows_preset win64
windows=$build/bin
suites="bridge relay records tools host platform hardening"
listing=$(mktemp -d)
trap 'rm -rf "$listing"' EXIT

count_cases() {  # a --gtest_list_tests listing: the cases are its indented lines
  grep -c '^  ' || true
}

# The cases of a native listing in JSON that build for Windows too.
count_portable_cases() {
  sed 's#\\/#/#g' "$1" | awk '
    /"name":/ { name = $0 }
    /"file":/ { if ($0 !~ /\/sim\// && name !~ /\/Utf8"/) n++ }
    END { print n + 0 }'
}

wine_runs=no
if [ -d "$windows" ] && command -v wine >/dev/null; then
  export WINEARCH=$WINDOWS_PRESET WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all
  if [ ! -d "$WINEPREFIX" ]; then
    fresh_wine_prefix "$WINEPREFIX" >/dev/null 2>&1 || true
  fi
  wine "$windows/host_tests.exe" --gtest_list_tests >/dev/null 2>&1 && wine_runs=yes
fi

printf '%-10s %7s %7s %6s\n' suite native Windows share
total_native=0
total_windows=0
for suite in $suites; do
  n=0
  w=0
  if [ -x "$native/${suite}_tests" ]; then
    "$native/${suite}_tests" --gtest_list_tests --gtest_output="json:$listing/$suite.json" \
      >"$listing/$suite.txt"
    n=$(count_cases <"$listing/$suite.txt")
    [ $wine_runs = no ] && w=$(count_portable_cases "$listing/$suite.json")
  fi
  if [ $wine_runs = yes ]; then
    # The suite's program and those of its parts that run in a process of their own.
    for program in $(find "$windows" -name "${suite}_tests.exe" -o -name "${suite}_*_tests.exe"); do
      cases=$(wine "$program" --gtest_list_tests 2>/dev/null | tr -d '\r' | count_cases)
      w=$((w + cases))
    done
  fi
  total_native=$((total_native + n))
  total_windows=$((total_windows + w))
  share=$([ "$n" -gt 0 ] && echo "$((100 * w / n))%" || echo -)
  printf '%-10s %7d %7d %6s\n' "$suite" "$n" "$w" "$share"
done
printf '%-10s %7d %7d %6s\n' all "$total_native" "$total_windows" \
  "$([ "$total_native" -gt 0 ] && echo "$((100 * total_windows / total_native))%" || echo -)"
if [ $wine_runs = yes ]; then
  echo "Windows: listed under Wine ($WINDOWS_PRESET build, $WINE_ROAD)"
else
  echo "Windows: read from the native listing (Wine does not run here)"
fi
