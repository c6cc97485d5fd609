#!/bin/sh
# The rose diagram with GMT's classic rose tool: azimuths only (-i0, unit lengths), sectors of
# 10 degrees, normalised radius, a light fill, written as PostScript.
# usage: gmt_rose.sh DATA OUT.ps   (bench/run calls gmt directly, without this shell)
exec gmt psrose "$1" -i0 -A10 -S -R0/1/0/360 -JX12c -Bxg0.25 -Byg30 -Glightsteelblue -W0.5p \
    "->$2"
