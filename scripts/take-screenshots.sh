#!/usr/bin/env bash
# Takes docs/relay-tool.png: the host program's two windows under Wine on a virtual X display,
# seeded with the example's state and with some traffic from its plug-in on both roads, the
# whole screen taken with xwd and turned into a PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
picture=docs/relay-tool.png
windows_runner win32 1270x500x24 "$0"

fresh_wine_prefix "$PWD/$build/screenshot-prefix"
register_tavrosk

bin="$PWD/$build/bin"
example=$(winepath -w "$PWD/examples/reference_host")
cd "$bin"
wine korvex_relay_tool.exe --state "$example\\seed.json" &
host=$!
trap 'wineserver -k || true; wait "$host" 2>/dev/null || true' EXIT
for _ in $(seq $((300 * WINE_TIME_SCALE))); do
  xwininfo -root -tree | grep -q '"Debug VB Application"' && break
  sleep 0.1
done
# Traffic on both roads: the relay lines, then the export calls handed over by Zavoplex.dll.
wine cscript //nologo "$example\\plugin.vbs" relay || true
wine cscript //nologo "$example\\plugin.vbs" direct || true
sleep 2
cd - >/dev/null
xwd -root -silent | /usr/bin/convert xwd:- "$picture"
echo "wrote $picture"
