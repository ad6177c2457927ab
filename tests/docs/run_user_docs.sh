#!/usr/bin/env bash
# run_user_docs.sh SETUP ZIP BOX_WATCHER WORK PAGE...: the user docs' blocks run as a user on
# 64-bit Windows runs them. In the Wine prefix of the environment (a fresh 64-bit one), the setup
# program is run silently as a user starts it; then each page's marked blocks run in page order
# with the default (64-bit) cmd and cscript, in a folder of the page's own that holds the
# setup program and the unpacked zip, as a user's download folder does; each block's output and
# exit code must be the ones that the page shows next to it. The markers (docs/development.md, "Docs that run"):
#
#   <!-- run: save NAME -->               the next block is saved as NAME in the page's folder
#   <!-- run: cmd -->                     the next block, typed at a prompt in the page's folder
#   <!-- run: cmd; box: TEXT | TEXT -->   ... and "Tavrosk" boxes with these texts are answered
#                                         with OK, as the user presses it
#   <!-- output -->, <!-- output, exit code N -->   the next block is what the last one printed
#   <!-- not run (LANGUAGE); twin: NAME -->         a block this machine cannot run; NAME, saved
#                                                   on the page, is run in its place
#
# and in a text page (README.txt) an indented transcript: lines "  > command" typed at a prompt,
# the lines indented by four after them what they print. A Windows block with no marker fails
# the run.
# Prints, per page, the blocks run; exits non-zero when any block differed.
set -uo pipefail
setup=$(realpath "$1") zip=$(realpath "$2") box_watcher=$(realpath "$3") work=$(realpath -m "$4")
shift 4
wine64=/usr/lib/wine/wine64
scale=${WINE_TIME_SCALE:-1}
failures=0

# A command of the 64-bit system as the user types it; its output (both streams) to $2.
windows() {
  local out=$1
  shift
  timeout $((180 * scale)) "$wine64" "$@" >"$out" 2>&1
}

# Text as compared: Windows line ends and trailing blanks dropped, no empty last lines, and a
# log's times of day (HH:MM:SS.mmm) as one.
normalise() {
  sed -e 's/\r$//' -e 's/[[:space:]]*$//' -e 's/[0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9][0-9][0-9]/HH:MM:SS.mmm/g' "$1" |
    sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'
}

# The box watcher of the Windows tests plays the user who presses OK; its record is read back.
box_record=
start_boxes() {
  local ready=$work/box_watcher.ready
  rm -f "$ready"
  "$wine64" "$box_watcher" --ready "$(winepath -w "$ready")" >/dev/null 2>&1 &
  watcher=$!
  for _ in $(seq $((300 * scale))); do
    [ -e "$ready" ] && break
    sleep 0.1
  done
  box_record=$(winepath -u "$(windows /dev/stdout cmd /c echo %TEMP% | tr -d '\r')")
  box_record=${box_record%/}/tavrosk_message_boxes.txt
}
stop_boxes() {
  kill "$watcher" 2>/dev/null
  wait "$watcher" 2>/dev/null
  # Each line a box, its text as hexadecimal UTF-16 units; a line break within a box as \n.
  perl -ne 'chomp; $_ = join("", map { chr hex } /(....)/g); s/\r\n/\\n/g; print "$_\n"' \
    "$box_record" 2>/dev/null | sed ':a;N;$!ba;s/\n/ | /g'
}

# run_block PAGE NUMBER BLOCK EXPECTED EXIT_CODE BOX: the block typed at a prompt in the page's
# folder: a batch file with echo off, which runs typed commands alike (no block uses %%).
run_block() {
  local page=$1 number=$2 block=$3 expected=$4 want_code=$5 box=$6 folder=$work/$1
  local batch=$folder/block$number.cmd output=$folder/block$number.out code=0
  { printf '@echo off\r\ncd /d "%s"\r\n' "$(winepath -w "$folder")"
    sed 's/\r*$/\r/' "$block"; } >"$batch"
  [ -z "$box" ] || start_boxes
  windows "$output" cmd /c "$(winepath -w "$batch")" || code=$?
  local boxes=
  [ -z "$box" ] || boxes=$(stop_boxes)
  local problem=
  if ! diff -u --label "$page block $number: the page shows" --label "it printed" \
    <(normalise "$expected") <(normalise "$output") >"$folder/block$number.diff"; then
    problem="its output differs"
  fi
  [ "$code" = "$want_code" ] || problem="${problem:+$problem, }exit code $code, not $want_code"
  [ "$boxes" = "$box" ] || problem="${problem:+$problem, }box [$boxes], not [$box]"
  if [ -n "$problem" ]; then
    echo "FAIL $page block $number ($(head -n 1 "$block" | tr -d '\r')): $problem"
    cat "$folder/block$number.diff"
    failures=$((failures + 1))
  fi
}

# The blocks of a markdown page, in order, as files in its folder and lines of a plan:
# "save NAME FILE", "cmd FILE BOX", "output FILE CODE", "not-run TWIN", "unmarked LINE".
plan_markdown() {
  awk -v folder="$2" '
    function marker(line) { sub(/^<!-- */, "", line); sub(/ *-->$/, "", line); return line }
    /^<!-- (run|output|not run)/ { pending = marker($0); next }
    /^```/ && !inside {
      inside = 1; count++; file = folder "/part" count; printf "" > file
      language = substr($0, 4)
      if (pending == "" && language ~ /^(bat|cmd|vb|vbs|vbscript|js|javascript|jscript|python|powershell|ps1|cs|csharp)$/)
        print "unmarked " NR
      else if (pending ~ /^run: save /) { sub(/^run: save /, "", pending); print "save " pending " " file }
      else if (pending ~ /^run: cmd/) {
        box = pending; if (!sub(/^run: cmd; box: /, "", box)) box = ""
        print "cmd " file " " box
      } else if (pending ~ /^output/) {
        code = pending; if (!sub(/^output, exit code /, "", code)) code = 0
        print "output " file " " code
      } else if (pending ~ /^not run/) {
        twin = pending; sub(/.*twin: */, "", twin); print "not-run " twin
      }
      pending = ""; next
    }
    /^```/ && inside { inside = 0; close(file); next }
    inside { print > file }
  ' "$1"
}

# A text page: each run of "  > command" lines is a block, the lines indented by four after it
# its output.
plan_text() {
  awk -v folder="$2" '
    function finish() { if (state) { close(cmd); close(out); print "cmd " cmd " "; print "output " out " 0" } state = 0 }
    /^  +> / {
      if (state != 1) { finish(); count++; cmd = folder "/part" count ".cmd"; out = folder "/part" count ".out"; printf "" > out }
      state = 1; line = $0; sub(/^  +> /, "", line); print line > cmd; next
    }
    /^    / && state { print substr($0, 5) > out; state = 2; next }
    { finish() }
    END { finish() }
  ' "$1"
}

run_page() {
  local source=$1 page
  page=$(basename "$source")
  local folder=$work/$page
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$setup" "$folder/"
  (cd "$folder" && cmake -E tar xf "$zip" && mv Tavrosk-*/* . && rmdir Tavrosk-*/)
  local plan=$folder/plan
  case $page in
    *.md) plan_markdown "$source" "$folder" >"$plan" ;;
    *) plan_text "$source" "$folder" >"$plan" ;;
  esac
  local ran=0 saved=() twins=() block= box= number=0 kind a b
  while read -r kind a b; do
    case $kind in
      unmarked)
        echo "FAIL $page line $a: a Windows block with no marker (run, output or not run)"
        failures=$((failures + 1))
        ;;
      save)
        sed 's/\r*$/\r/' "$b" >"$folder/$a"
        saved+=("$a")
        ;;
      cmd)
        [ -z "$block" ] || { echo "FAIL $page: a block with no output block after it"; failures=$((failures + 1)); }
        block=$a box=$b
        ;;
      output)
        if [ -z "$block" ]; then
          echo "FAIL $page: an output block with no block before it"
          failures=$((failures + 1))
          continue
        fi
        number=$((number + 1))
        run_block "$page" "$number" "$block" "$a" "${b:-0}" "$box"
        ran=$((ran + 1)) block=
        ;;
      not-run)
        twins+=("$a")
        ;;
    esac
  done <"$plan"
  [ -z "$block" ] || { echo "FAIL $page: a block with no output block after it"; failures=$((failures + 1)); }
  # A saved file that neither a block nor another saved file runs, or a twin that the page does
  # not save, is a block not run.
  local name other runners
  for name in "${saved[@]}" "${twins[@]}"; do
    runners=("$folder"/block*.cmd)
    for other in "${saved[@]}"; do [ "$other" = "$name" ] || runners+=("$folder/$other"); done
    if [ ! -e "$folder/$name" ] || ! grep -qsF "$name" "${runners[@]}"; then
      echo "FAIL $page: $name is neither saved on the page nor run by a block"
      failures=$((failures + 1))
    fi
  done
  echo "$page: $ran blocks run, ${#saved[@]} saved and run by them, ${#twins[@]} not run (each with a twin run)"
}

mkdir -p "$work"
install_log=$work/setup.out
if ! windows "$install_log" cmd /c "$(winepath -w "$setup")" /S; then
  echo "FAIL the setup program did not install silently"
  cat "$install_log"
  exit 1
fi
for page in "$@"; do
  start=$(date +%s)
  run_page "$page"
  echo "  in $(($(date +%s) - start)) s"
done
if [ "$failures" -gt 0 ]; then
  echo "$failures blocks differ from their pages"
  exit 1
fi
echo "every block ran as its page shows"
