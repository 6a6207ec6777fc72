#!/bin/sh
# Runs a test program on the X display of xvfb-run with an XEmbed notification area (trayer).
trayer --edge bottom --widthtype pixel --width 200 --heighttype pixel --height 24 &
tray=$!
sleep 1
"$@"
status=$?
kill "$tray"
exit "$status"
