#!/bin/sh
# Takes fit-to-window.png under a virtual X server of a laptop's size:
#   xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" \
#       docs/screenshots/take-fit-screenshot.sh build/src/gui/quorel examples/joints.qrl docs/screenshots
# The diagram fitted to the window, with equal-area petals, ring labels and a petal's tooltip.
# The program runs on a copy of the file with settings of its own, so neither the example nor the
# user's settings change.
set -e
BIN=$(realpath "$1")
FILE=$2
OUT=$(realpath "$3")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/config/Halvorn5" "$WORK/runtime"
chmod 700 "$WORK/runtime"
printf '[2.0]\nFitToWindow=1\nRingLabels=1\n' >"$WORK/config/Halvorn5/Quorel.conf"
cp "$FILE" "$WORK/joints.qrl"
printf ';PetalScale=Area\r\n' >>"$WORK/joints.qrl"
cd "$WORK"
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache" \
    XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb
"$BIN" joints.qrl &
PID=$!
sleep 3
WID=$(xdotool search --onlyvisible --name "^Quorel" | head -1)
xdotool windowmove "$WID" 0 0 windowsize "$WID" 1366 768
sleep 1
# Tooltips show in the active window only; the point lies on the petal of 31 - 40 degrees.
xdotool windowfocus --sync "$WID"
sleep 0.5
xdotool mousemove 740 260
sleep 0.3
xdotool mousemove_relative 1 1
sleep 2
import -window root -crop 1366x768+0+0 +repage "$OUT/fit-to-window.png"
kill "$PID"
wait "$PID" || true
