#!/bin/sh
# Takes stereonet-page.png under a virtual X server of a laptop's size:
#   xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" \
#       docs/screenshots/take-stereonet-screenshot.sh build/src/gui/quorel \
#       examples/gray1980-bedding.txt docs/screenshots
# The Stereonet page with contours, the mean pole's cone and the best-fit girdle, a pole linked
# to its row and a pole's tooltip. The program runs on a copy of the file with settings of its
# own, so neither the example nor the user's settings change. LANG=pl_PL.UTF-8 shows the Polish page.
# On another screen give its size and where the tab, the pole to click and the pole to point at
# stand, e.g. SIZE=1920x1080 TAB="408 87" CLICK="431 306" POINT="593 309".
set -e
BIN=$(realpath "$1")
FILE=$2
OUT=$(realpath "$3")
NAME=${4:-stereonet-page.png}
SIZE=${SIZE:-1366x768}
TAB=${TAB:-408 87}
CLICK=${CLICK:-431 306}
POINT=${POINT:-593 309}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/config/Halvorn5" "$WORK/runtime"
chmod 700 "$WORK/runtime"
printf '[2.0]\nStereonetContours=1\nStereonetMean=1\nStereonetGirdle=1\n' \
    >"$WORK/config/Halvorn5/Quorel.conf"
cp "$FILE" "$WORK/bedding.txt"
cd "$WORK"
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache" \
    XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb
"$BIN" bedding.txt &
PID=$!
sleep 3
WID=$(xdotool search --onlyvisible --name "Quorel" | head -1)
xdotool windowmove "$WID" 0 0 windowsize "$WID" ${SIZE%x*} ${SIZE#*x}
sleep 1
# The page's tab; a pole clicked selects its row (line 14: 124/48) and is marked; the pointer
# rests on another pole (line 9: 236/45).
xdotool mousemove $TAB click 1
sleep 2
xdotool windowfocus --sync "$WID"
sleep 0.5
xdotool mousemove $CLICK click 1
sleep 0.5
xdotool mousemove $POINT
sleep 0.3
xdotool mousemove_relative 1 0
sleep 2
import -window root -crop "$SIZE+0+0" +repage "$OUT/$NAME"
kill "$PID"
wait "$PID" || true
