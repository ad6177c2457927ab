#!/usr/bin/env bash
# reproducible_release.sh: `make dist` twice, unsigned, from this checkout into two build folders
# of their own (names of different lengths, so that a folder name that leaks into a file also
# moves what follows it), with ccache off so that every object is compiled twice; then every
# shipped file and SHA256SUMS must be the same bytes. Prints both SHA256SUMS side by side, and
# each staged file that differs. `make reproducible` runs it; CI too. --again builds once more
# in the same two folders, without cleaning them first.
set -euo pipefail
cd "$(dirname "$0")/../.."
# One commit: the files are dated by it.
commit=$(git rev-parse HEAD)
export CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
root=$PWD/build/reproducible
folders=("$root/a" "$root/second")

for folder in "${folders[@]}"; do
  [ "${1:-}" = --again ] || rm -rf "$folder" "$folder-win64"
  start=$(date +%s)
  cmake --preset win32 -B "$folder" -DTAVROSK_COMPANION_BUILD="$folder-win64" \
    -DTAVROSK_DIST_DIR="$folder/dist" -DTAVROSK_SIGN_PFX= -DTAVROSK_SIGN_PASSWORD_FILE= \
    -DTAVROSK_SIGN_TIMESTAMP_URL= >/dev/null
  cmake --build "$folder" -j "${JOBS:-2}" --target dist >"$folder.log" 2>&1 || {
    tail -30 "$folder.log"
    exit 1
  }
  echo "built $folder in $(($(date +%s) - start)) s"
done

[ "$(git rev-parse HEAD)" = "$commit" ] || {
  echo "the checkout moved to another commit during the builds: run again"
  exit 1
}
first=${folders[0]} second=${folders[1]}
echo "SHA256SUMS of ${first#"$PWD"/} | of ${second#"$PWD"/}:"
paste -d '|' "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"
differences=0
stage=installer/stage/$(basename "$(sed -n 's/^-DSTAGE=//p' "$first/installer/dist-arguments.txt")")
while read -r file; do
  if ! cmp -s "$first/$stage/$file" "$second/$stage/$file"; then
    echo "differs: $file"
    differences=$((differences + 1))
  fi
done < <(cd "$first/$stage" && find . -type f | sort)
cmp -s "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" || differences=$((differences + 1))
[ "$differences" -eq 0 ] || {
  echo "the two builds differ in $differences files"
  exit 1
}
echo "the two builds are the same, byte for byte: $(cd "$first/$stage" && find . -type f | wc -l) staged files, the zip and the setup program"
