#!/usr/bin/env bash
# Prints, per Windows test program, whether it passed in each build and how that build ran
# (native 32-bit, emulated 32-bit, 64-bit), from the results scripts/run-windows-tests.sh wrote
# as the tests ran, and each build's time. Fails when no test that loads the shipped 32-bit
# Tavrosk.dll ran at all: a tier where the shipped library was only compiled has not tested it.
set -euo pipefail
cd "$(dirname "$0")/.."
presets="win32 win64"

names=$(for preset in $presets; do
  [ ! -e "build/$preset/windows-results.tsv" ] || cut -f1 "build/$preset/windows-results.tsv"
done | awk '!seen[$0]++')

{
  printf '%-24s' program
  for preset in $presets; do printf '%-28s' "$preset"; done
  printf '\n'
  for name in $names; do
    printf '%-24s' "$name"
    for preset in $presets; do
      cell=$(awk -F'\t' -v name="$name" '$1 == name { print $2 " (" $3 ")" }' \
        "build/$preset/windows-results.tsv" 2>/dev/null || true)
      printf '%-28s' "${cell:-not run}"
    done
    printf '\n'
  done
} | sed 's/ *$//'
for preset in $presets; do
  results=build/$preset/windows-results.tsv
  if [ -e "$results" ]; then
    awk -F'\t' -v preset="$preset" '
      { n++; if ($2 == "passed") passed++; seconds += $5; road = $3 }
      END { printf "%s: %d programs ran as %s code, %d passed, %d s in the programs\n",
                   preset, n, road, passed, seconds }' "$results"
  else
    echo "$preset: no test ran"
  fi
done

# The runs of the text suites in other code pages, each named by what GetACP() answered there.
for results in build/win32/windows-results-cp*.tsv; do
  [ -e "$results" ] || continue
  asked=${results##*-cp}
  awk -F'\t' -v asked="${asked%.tsv}" '
    { n++; if ($2 == "passed") passed++; else failed = failed " " $1; seconds += $5
      road = $3; acp = $4 }
    END { printf "win32 in code page %s: GetACP() = %s, %d programs ran as %s code, %d passed, " \
                 "%d s in the programs%s\n", asked, acp, n, road, passed, seconds,
                 failed == "" ? "" : "; failed:" failed }' "$results"
done

ran=$(awk -F'\t' '$4 == "yes"' build/win32/windows-results.tsv 2>/dev/null || true)
if [ -z "$ran" ]; then
  echo "FAILED: the shipped 32-bit Tavrosk.dll ran no test" >&2
  exit 1
fi
