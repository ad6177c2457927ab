#!/usr/bin/env bash
# run-windows-code-pages.sh [CODE-PAGE...] runs the text suites of the shipped 32-bit build
# (bridge, relay, records, tools, and the plug-in example's round trip on both roads) once more
# for each ANSI code page given, 932 and 65001 by default, each in a fresh prefix.
#
# Wine 8 takes the ANSI code page from the Unix locale that it starts in (LC_ALL), not from the
# registry's Nls\CodePage values: ja_JP.UTF-8 gives 932, and a locale whose Windows counterpart
# has no ANSI code page of its own, such as hi_IN.UTF-8, gives 65001. The run prints what
# GetACP() answered in the prefix and fails, running nothing, when it is not the code page asked
# for.
#
# Writes build/win32/windows-results-cp<N>.tsv: a line per test program, its name, passed or
# failed, how it ran (native or emulated 32-bit), the GetACP() value and its seconds;
# scripts/windows-tier-summary.sh reads it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
windows_runner win32 1024x768x24 "$0" "$@"

code_pages=("$@")
[ ${#code_pages[@]} -gt 0 ] || code_pages=(932 65001)
suites='^(bridge|relay|records|tools|reference_host_example)$'

locale_of() {
  case $1 in
    932) echo ja_JP.UTF-8 ;;
    65001) echo hi_IN.UTF-8 ;;
    1252) echo en_US.UTF-8 ;;
    *) return 1 ;;
  esac
}

# Generates the locale where the machine lacks it (Debian's locales package), so that the shell
# and Wine's Unix side run in it too; Wine takes the code page from the name alone.
ensure_locale() {
  locale -a 2>/dev/null | grep -qix "${1/UTF-8/utf8}" && return 0
  localedef -i "${1%%.*}" -f UTF-8 "$1" 2>/dev/null || echo "could not generate the locale $1" >&2
}

# The junit file's programs as lines of the results file.
record_code_page_results() {
  local acp=$1 junit=$2
  sed -n 's/.*<testcase name="\([^"]*\)".* time="\([^"]*\)" status="\([^"]*\)".*/\1 \2 \3/p' \
    "$junit" | while read -r name seconds state; do
    case $state in
      run) printf '%s\tpassed' "$name" ;;
      fail) printf '%s\tfailed' "$name" ;;
      *) continue ;;
    esac
    printf '\t%s\t%s\t%s\n' "$WINE_ROAD" "$acp" "${seconds%.*}"
  done
}

status=0
for code_page in "${code_pages[@]}"; do
  results=$PWD/$build/windows-results-cp$code_page
  rm -rf "$results" "$results.tsv"
  mkdir -p "$results"
  locale=$(locale_of "$code_page") || {
    echo "no locale known for code page $code_page" >&2
    status=1
    continue
  }
  ensure_locale "$locale"
  export LC_ALL=$locale
  start=$(date +%s)
  fresh_wine_session "wineprefix-cp$code_page"
  acp=$(timeout $((60 * WINE_TIME_SCALE)) wine "$build/bin/tavrosk_code_page_probe.exe" \
    "$code_page" | tr -d '\r' || true)
  echo "code page $code_page asked for with LC_ALL=$LC_ALL: $acp"
  acp=${acp#GetACP() = }
  if [ "$acp" != "$code_page" ]; then
    echo "FAILED: the prefix gives code page ${acp:-none}, not $code_page" >&2
    printf 'code page probe\tfailed\t%s\t%s\t0\n' "$WINE_ROAD" "${acp:-none}" >"$results.tsv"
    stop_wine
    status=1
    continue
  fi
  ctest --test-dir "$build" --output-on-failure --timeout $((120 * WINE_TIME_SCALE)) \
    --output-junit "$results/tests.xml" -R "$suites" || status=1
  stop_wine
  record_code_page_results "$acp" "$results/tests.xml" >"$results.tsv"
  echo "the text suites in code page $code_page ($WINE_ROAD) took $(($(date +%s) - start)) s"
done
exit $status
