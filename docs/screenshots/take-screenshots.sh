#!/bin/sh
# Takes the screenshots of this folder under a virtual X server:
#   xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
#       docs/screenshots/take-screenshots.sh build/src/gui/quorel examples/joints.qrl docs/screenshots
# There is no window manager, so windows get the keyboard through xdotool's focus.
set -e
BIN=$1
FILE=$2
OUT=$3
# Settings of its own, so the user's settings neither show nor change.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$WORK}" QT_QPA_PLATFORM=xcb \
    XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache"
"$BIN" "$FILE" &
PID=$!
sleep 3
WID=$(xdotool search --onlyvisible --name "^Quorel" | head -1)
xdotool windowmove "$WID" 0 0 windowsize "$WID" 1100 720
sleep 1
import -window root -crop 1100x720+0+0 +repage "$OUT/main-window.png"
xdotool windowfocus --sync "$WID"
sleep 0.3
xdotool key ctrl+t
sleep 1
import -window root -crop 1100x720+0+0 +repage "$OUT/statistics.png"
xdotool key ctrl+d
xdotool key F12
sleep 1.5
import -window root -crop 1100x720+0+0 +repage "$OUT/errors.png"
xdotool key Escape
sleep 0.5
kill "$PID"
wait "$PID" || true
