#!/usr/bin/env bash
# norwyn.scr full-screen on three monitors, each of its own size: the
# primary, a portrait one left of it and a wide one above it (both at
# negative coordinates in Windows). Every monitor shows the moving scene at
# its own size, the one part of the X screen that no monitor shows is left
# alone, a mouse move or a click on another monitor ends the run, and the run
# stores "frames". Starts its own X server with that layout and its own Wine
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

# The X screen, 1504 by 1216 with a white root, in X coordinates. Wine
# places its virtual screen's corner at the root's, so the monitors reach
# the screen's left and top edges:
#   +------------+------------------------+
#   | no monitor | above, 1024x576        |
#   |  480x576   |                        |
#   +------------+--------------+---------+
#   | left       | primary      |
#   | 480x640    | 800x600      |
#   |            +--------------+
#   +------------+
Xvfb -displayfd 3 -screen 0 1504x1216x24 -noreset -ac -wr 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
wait_until 10 test -s "$work/display" || { echo "FAILED: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
xrandr --setmonitor '*primary' 800/211x600/159+480+576 screen >/dev/null
xrandr --setmonitor left 480/127x640/169+0+576 none >/dev/null
xrandr --setmonitor above 1024/271x576/152+480+0 none >/dev/null

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

# The monitors as parts of the screenshot, "width height X-offset Y-offset".
primary="800 600 480 576"
left="480 640 0 576"
above="1024 576 480 0"

# Mean, lowest and highest level (0 to 1) of a part of the screenshot.
levels() { # width, height, X offset, Y offset
    /usr/bin/convert "$work/screen.png" -crop "$1x$2+$3+$4" +repage \
        -format '%[fx:mean] %[fx:minima] %[fx:maxima]' info:
}

# True when a picture's levels are the scene's: neither the white root nor a
# black window, but a picture with bright parts.
scene_levels() { # mean, highest
    awk -v m="$1" -v h="$2" 'BEGIN { exit !(m > 0.05 && m < 0.95 && h > 0.5) }'
}

# True when the part of the screenshot shows the scene.
shows_scene() { # width, height, X offset, Y offset
    local mean low high
    read -r mean low high <<<"$(levels "$@")"
    scene_levels "$mean" "$high"
}

# The black margins around the picture on a monitor: "left right top bottom".
# The scene keeps its shape, so a monitor wider than the background shows it
# between two equal black bars; a frame drawn at another monitor's size
# would sit in a corner or be cropped.
margins() { # width, height, X offset, Y offset
    local box
    box=$(/usr/bin/convert "$work/screen.png" -crop "$1x$2+$3+$4" +repage -bordercolor black -border 1 \
        -fuzz 2% -trim -format '%w %h %X %Y' info:)
    read -r width height x y <<<"${box//+/}"
    echo "$((x - 1)) $(($1 - x + 1 - width)) $((y - 1)) $(($2 - y + 1 - height))"
}

# True when the margins are equal side to side and top to bottom, to 2 pixels.
centred() { # left, right, top, bottom
    awk -v l="$1" -v r="$2" -v t="$3" -v b="$4" \
        'function abs(v) { return v < 0 ? -v : v } BEGIN { exit !(abs(l - r) <= 2 && abs(t - b) <= 2) }'
}

# Pixels of the monitor that differ between the screenshot and one taken later.
moved_pixels() { # width, height, X offset, Y offset
    /usr/bin/convert "$work/screen.png" -crop "$1x$2+$3+$4" +repage "$work/monitor-1.png"
    /usr/bin/convert "$work/later.png" -crop "$1x$2+$3+$4" +repage "$work/monitor-2.png"
    /usr/bin/compare -metric AE "$work/monitor-1.png" "$work/monitor-2.png" null: 2>&1 | awk '{print int($1)}' || true
}

# Takes a screenshot; true once it shows the run under way: a frame of the
# scene swapped onto each of the three monitors.
run_on_screen() {
    /usr/bin/import -window root "$work/screen.png" || return 1
    # shellcheck disable=SC2086
    shows_scene $primary && shows_scene $left && shows_scene $above
}

# The "frames" value in the registry, or nothing while there is none.
stored_frames() {
    wine reg query "$settings_key" /v frames 2>/dev/null | awk '$1 == "frames" { print $3 }' | tr -d '\r'
}

# A start on the left monitor, moves on it: 30 pixels are let pass, 70 end the
# run. No blood in this run: drops that fly past the picture's sides would
# narrow the black bars the centring is measured by.
wine reg add "$settings_key" /v sangrante /t REG_DWORD /d 0 /f >/dev/null 2>&1
start_saver 240 896
wait_until 30 run_on_screen || echo "the scene did not show on every monitor within 30 seconds"
sleep 1
/usr/bin/import -window root "$work/later.png"
# shellcheck disable=SC2086
for monitor in primary left above; do
    read -r mean low high <<<"$(levels ${!monitor})"
    check "the scene fills the $monitor monitor (levels $mean, $low to $high)" "scene_levels $mean $high"
    read -r l r t b <<<"$(margins ${!monitor})"
    check "the scene is centred on the $monitor monitor (margins $l $r $t $b)" "centred $l $r $t $b"
    moved=$(moved_pixels ${!monitor})
    check "the scene on the $monitor monitor moves within a second ($moved pixels)" '[ "$moved" -gt 1000 ]'
done
# shellcheck disable=SC2086
read -r l r t b <<<"$(margins $above)"
check "the wide monitor shows the scene unstretched, between black bars ($l and $r pixels)" '[ "$l" -gt 50 ]'
read -r mean low high <<<"$(levels 480 576 0 0)"
check "the part of the screen no monitor shows is untouched (lowest level $low)" '[ "$low" = 1 ]'
read -r mean low high <<<"$(levels 224 640 1280 576)"
check "the part right of the primary, below the wide monitor, is untouched (lowest level $low)" '[ "$low" = 1 ]'
xdotool mousemove 270 896
sleep 1
check "a move of 30 pixels on the left monitor lets the run go on" 'kill -0 "$saver_pid" 2>/dev/null'
xdotool mousemove 310 896
wait_for_end
check "a move of 70 pixels on the left monitor ends the run with 0 ($code)" '[ "$code" = 0 ]'
frames=$(stored_frames)
check "the run stored \"frames\" ($frames)" '[ -n "$frames" ] && [ "$((frames))" -ne 0 ]'

# A start on the monitor above, a click on it.
wine reg delete "$settings_key" /f >/dev/null 2>&1 || true
start_saver 992 288
wait_until 30 run_on_screen || echo "the scene did not show on every monitor within 30 seconds"
sleep 1
check "the run goes on while nothing happens" 'kill -0 "$saver_pid" 2>/dev/null'
xdotool click 1
wait_for_end
check "a click on the monitor above ends the run with 0 ($code)" '[ "$code" = 0 ]'
frames=$(stored_frames)
check "the run stored \"frames\" ($frames)" '[ -n "$frames" ] && [ "$((frames))" -ne 0 ]'

# A start on the left monitor, a click on it.
start_saver 240 896
wait_until 30 run_on_screen || echo "the scene did not show on every monitor within 30 seconds"
xdotool click 1
wait_for_end
check "a click on the left monitor ends the run with 0 ($code)" '[ "$code" = 0 ]'

exit $failures
