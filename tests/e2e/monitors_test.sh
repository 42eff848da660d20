#!/usr/bin/env bash
# norwyn.scr full-screen on three monitors: the primary, one left of it and
# one above it (both at negative coordinates in Windows). The scene draws on
# the primary, the other two are black, the one part of the X screen that no
# monitor shows is left alone, and a mouse move or a click on another monitor
# ends the run. Starts its own X server with that layout and its own Wine
# prefix ($WINEPREFIX), so it needs nothing from the test run around it.
set -euo pipefail
scr=$1
source "$(dirname "$0")/../../scripts/wine_under_x.sh"
use_wine_prefix monitors-prefix

work=$(mktemp -d)
xvfb_pid=""
saver_pid=""
cleanup() {
    set +e
    [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && { wineserver -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null; }
    rm -rf "$work"
}
trap cleanup EXIT

# The X screen, 1600 by 1200 with a white root, in X coordinates:
#   +--------------+--------------+
#   | no monitor   | above        |
#   +--------------+--------------+
#   | left         | primary      |
#   +--------------+--------------+
Xvfb -displayfd 3 -screen 0 1600x1200x24 -noreset -ac -wr 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
wait_until 10 test -s "$work/display" || { echo "FAILED: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
xrandr --setmonitor '*primary' 800/211x600/159+800+600 screen >/dev/null
xrandr --setmonitor left 800/211x600/159+0+600 none >/dev/null
xrandr --setmonitor above 800/211x600/159+800+0 none >/dev/null

# Wine reads the monitors from Xinerama, which follows the layout above,
# only with XRandR off; the wineserver that starts the saver must start
# after the setting.
rm -rf "$WINEPREFIX"
wine_prefix_ready
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w


start_saver() { # X position of the cursor at the start
    xdotool mousemove "$1" "$2"
    wine "$scr" /s &
    saver_pid=$!
    wait_for_saver_window 30 || echo "the saver's window did not appear"
}

# Waits up to thirty seconds for the saver to end; sets code to its exit
# code, or to "running".
wait_for_end() {
    code=running
    wait_until 30 eval '! running "$saver_pid"' || return 0
    code=0
    wait "$saver_pid" || code=$?
    saver_pid=""
}

# Mean, lowest and highest level (0 to 1) of an 800 by 600 part of the screenshot.
levels() { # X offset, Y offset
    /usr/bin/convert "$work/screen.png" -crop "800x600+$1+$2" +repage -format '%[fx:mean] %[fx:minima] %[fx:maxima]' info:
}

# True when the primary monitor shows the scene: neither the white root nor
# a black window, but a picture with bright parts.
scene_on_primary() {
    local mean low high
    read -r mean low high <<<"$(levels 800 600)"
    awk -v m="$mean" -v h="$high" 'BEGIN { exit !(m > 0.05 && m < 0.95 && h > 0.5) }'
}

# Takes a screenshot; true once it shows the run under way: a frame of the
# scene swapped onto the primary monitor and the two covers painted black.
# The covers are painted through Wine's window surfaces, and the scene through
# GL: either may reach the X server first.
run_on_screen() {
    /usr/bin/import -window root "$work/screen.png" || return 1
    scene_on_primary || return 1
    local mean low high
    read -r mean low high <<<"$(levels 0 600)"
    [ "$high" = 0 ] || return 1
    read -r mean low high <<<"$(levels 800 0)"
    [ "$high" = 0 ]
}

# A start on the left monitor, moves on it: 30 pixels are let pass, 70 end the run.
start_saver 400 900
wait_until 30 run_on_screen || echo "the scene and the covers did not show within 30 seconds"
read -r mean low high <<<"$(levels 800 600)"
check "the scene fills the primary monitor (levels $mean, $low to $high)" scene_on_primary
read -r mean low high <<<"$(levels 0 600)"
check "the monitor left of the primary is black (highest level $high)" '[ "$high" = 0 ]'
read -r mean low high <<<"$(levels 800 0)"
check "the monitor above the primary is black (highest level $high)" '[ "$high" = 0 ]'
read -r mean low high <<<"$(levels 0 0)"
check "the part of the screen no monitor shows is untouched (lowest level $low)" '[ "$low" = 1 ]'
xdotool mousemove 430 900
sleep 1
check "a move of 30 pixels on the left monitor lets the run go on" 'kill -0 "$saver_pid" 2>/dev/null'
xdotool mousemove 470 900
wait_for_end
check "a move of 70 pixels on the left monitor ends the run with 0 ($code)" '[ "$code" = 0 ]'

# A start on the monitor above, a click on it.
start_saver 1200 300
wait_until 30 run_on_screen || echo "the scene and the covers did not show within 30 seconds"
sleep 1
check "the run goes on while nothing happens" 'kill -0 "$saver_pid" 2>/dev/null'
xdotool click 1
wait_for_end
check "a click on the monitor above ends the run with 0 ($code)" '[ "$code" = 0 ]'

exit $failures
