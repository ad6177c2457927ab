#!/usr/bin/env bash
# The Windows tier, from builds already made: the suites of the shipped 32-bit build (natively,
# or emulated where the kernel starts no 32-bit program) and of the 64-bit build, then with
# --count-cases the number of cases per suite, and last which width ran each suite. Every step
# runs even when one before it failed; the exit status says whether all of them passed.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
# No result of an earlier run may stand in for a build whose tests did not run now.
rm -f build/win32/windows-results.tsv build/win64/windows-results.tsv build/win32/windows-results-cp*.tsv
for preset in win32 win64; do
  start=$(date +%s)
  scripts/run-windows-tests.sh "$preset" || status=1
  echo "the $preset tier took $(($(date +%s) - start)) s"
done
# The text suites of the shipped build again in the ANSI code pages 932 and 65001.
scripts/run-windows-code-pages.sh || status=1
if [ "${1:-}" = --count-cases ]; then
  scripts/count-test-cases.sh || status=1
fi
scripts/windows-tier-summary.sh || status=1
exit $status
