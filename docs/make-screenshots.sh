#!/usr/bin/env bash
# Makes the pictures of docs/ from the simulated program: main-window.png (the window shown from
# the tray, a year chosen) and tray-menu.png (the tray icon with its menu open).
#
#   xvfb-run -a -s "-screen 0 800x600x24" docs/make-screenshots.sh BUILD_DIR
#
# Needs a build with the targets telmora-sim and telmora-newdb, and the packages xvfb, trayer,
# xdotool, x11-utils, imagemagick, libfaketime and (for the window frame) icewm. The program
# runs in a folder of its own with its own HOME and XDG_RUNTIME_DIR, on a fake clock that each
# step sets. DEBUG_DIR=folder keeps the last screen and the program's logs when it stops.
set -euo pipefail

build=$(cd "${1:?build folder}" && pwd)
docs=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
    if [ -n "${DEBUG_DIR:-}" ]; then
        import -window root "$DEBUG_DIR/last-screen.png"
        cp "$work"/*.log "$work"/telmora.simlog "$DEBUG_DIR/" 2>/dev/null || true
    fi
    # The program ends through its exit steps on TERM; whatever is left after that is killed.
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
    sleep 2
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

cp "$build/bin/sim/telmora" "$work/"
"$build/bin/telmora-newdb" "$work/telmora.mdb"
mkdir -p "$work/home/.config" "$work/runtime"
chmod 700 "$work/runtime"

# The fake clock starts from the time written and runs on from there.
clock() { echo "@$1" > "$work/faketime.new" && mv "$work/faketime.new" "$work/faketime.txt"; }
# The control file: a dial-up connection up (1) or none (0).
line() {
    if [ "$1" = 1 ]; then
        printf '[dialup]\ncount=1\nentry=Casa\nstate=8192\ndevicetype=modem\ndevicename=ttyS0\n'
        printf '[internet]\nflags=1\n'
    else
        printf '[dialup]\ncount=0\n[internet]\nflags=0\n'
    fi > "$work/telmora.sim"
}
ini() { cat "$work/telmora.ini" 2>/dev/null || true; }
wait_for() {  # seconds, command...
    local until=$((SECONDS + $1)); shift
    until "$@"; do
        [ $SECONDS -lt $until ] || { echo "timed out: $*" >&2; exit 1; }
        sleep 0.2
    done
}
started() { ini | grep -q '^anomalo=1'; }
ended() { ! kill -0 "$program" 2>/dev/null; }

run() {  # starts the program in the background
    env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
        LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 \
        FAKETIME_TIMESTAMP_FILE="$work/faketime.txt" FAKETIME_NO_CACHE=1 \
        FAKETIME_DONT_FAKE_MONOTONIC=1 \
        ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0 \
        "$work/telmora" 2>>"$work/stderr.log" &
    program=$!
    pids+=("$program")
    wait_for 30 started
}

# A desktop: IceWM for the frame (it honours the window's wish for a close box alone) with its
# own task bar off, a plain background and trayer as the notification area.
if command -v icewm >/dev/null; then
    mkdir -p "$work/wm/.icewm"
    printf 'ShowTaskBar=0\n' > "$work/wm/.icewm/preferences"
    HOME="$work/wm" icewm >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi
convert -size 16x16 xc:'#3a6ea5' "$work/desktop.png"
display -window root "$work/desktop.png" || true  # sets the background, then answers 1
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 --SetDockType true \
    --transparent false --tint 0xdddddd >/dev/null 2>&1 &
pids+=($!)
sleep 1

# A day of PC use before: one run from morning to night.
line 0
clock "2004-03-04 08:15:00"
run
clock "2004-03-04 23:30:12"
kill -TERM "$program"
wait_for 30 ended

# The day shown: two calls, a third under way.
clock "2004-03-05 09:00:00"
run
step() {  # time, line state; waits two polls
    clock "$1"
    line "$2"
    sleep 2.5
}
step "2004-03-05 09:00:00" 1
step "2004-03-05 09:40:30" 0
step "2004-03-05 18:07:00" 1
step "2004-03-05 18:37:45" 0
step "2004-03-05 20:07:00" 1
clock "2004-03-05 20:07:31"
sleep 2

# The tray icon: the program's small visible window, embedded in trayer.
tray_icon() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$program" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -le 32 ] && [ "$WIDTH" -gt 4 ]; then return 0; fi
    done
    return 1
}
wait_for 10 tray_icon
tray_icon
icon_x=$((X + WIDTH / 2))
icon_y=$((Y + HEIGHT / 2))
icon_left=$X
icon_top=$Y
screen_w=$(xdotool getdisplaygeometry | cut -d' ' -f1)
screen_h=$(xdotool getdisplaygeometry | cut -d' ' -f2)

# The tray menu, with the corner of the screen around it. The menu opens with a corner at the
# pointer: pointing at the icon's top left corner leaves the icon in sight.
xdotool mousemove "$icon_left" "$icon_top"
sleep 0.3
xdotool click 3
sleep 1.5
import -window root -crop 300x160+$((screen_w - 300))+$((screen_h - 160)) +repage \
    "$docs/tray-menu.png"
xdotool key Escape
sleep 0.5

# The main window from a double click on the icon, then the newest year chosen from the
# keyboard: the focus is on the activity, the year list is just before it.
main_window() {  # the visible window of the program that is larger than a box
    local w
    for w in $(xdotool search --onlyvisible --pid "$program" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -gt 400 ]; then echo "$w"; return 0; fi
    done
    return 1
}
xdotool mousemove "$icon_x" "$icon_y"
sleep 0.3
xdotool click --repeat 2 --delay 100 1
wait_for 10 main_window >/dev/null
window=$(main_window)
sleep 1
xdotool key --window "$window" shift+Tab
sleep 0.3
xdotool key --window "$window" Down
xdotool mousemove 0 0
sleep 1
# The window with its frame: the frame is the client's outermost parent below the root.
frame=$window
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
while :; do
    parent=$(xwininfo -children -id "$frame" | awk '/Parent window id:/ {print $4}')
    [ "$parent" = "$root" ] && break
    frame=$parent
done
eval "$(xwininfo -id "$frame" | awk '/Absolute upper-left X/ {print "FX=" $4}
    /Absolute upper-left Y/ {print "FY=" $4} /Width:/ {print "FW=" $2} /Height:/ {print "FH=" $2}')"
import -window root -crop "${FW}x${FH}+${FX}+${FY}" +repage "$docs/main-window.png"
