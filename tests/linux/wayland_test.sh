#!/usr/bin/env bash
# norwyn as a Wayland program on a real compositor: headless sway with two
# outputs of different sizes (and a third plugged in during a run), keys
# typed by wtype, a pointer moved and clicked by virtual_pointer_wayland,
# screenshots by grim. It checks that one --root process covers every output
# with the moving scene at the output's size and ends on a key, a click, a
# scroll and a large pointer move but not a small one, counted across the
# outputs, ends at once on SIGTERM and when sway goes away, storing its frame
# rate; that outputs disabled and given back, and pointers and keyboards
# that come and go, are followed; that swayidle starts and ends it; that
# --wallpaper draws behind everything and takes no input, from one process;
# that a connection handed over in WAYLAND_SOCKET is used, for every output
# or the one swaylock-plugin names; and that --window opens the saver's
# toplevel, which q (from any keyboard) and the compositor's close end.
#
#   tests/linux/wayland_test.sh path/to/norwyn path/to/virtual_pointer_wayland
set -euo pipefail
source "$(dirname "$0")/../../scripts/checks.sh"
source "$(dirname "$0")/../../scripts/headless_sway.sh"
program=$(realpath "$1")
pointer_helper=$(realpath "$2")
title="Fan Tarvek Screensaver V0.1"

for tool in sway swaymsg swayidle grim wtype python3 convert compare identify setpriv; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed"; exit 1; }
done

work=$(mktemp -d /tmp/norwyn-wayland-XXXXXX)

# The clients talk to this sway only: no X server, no handed-over socket.
unset DISPLAY XSCREENSAVER_WINDOW WAYLAND_DISPLAY WAYLAND_SOCKET SWAYSOCK SWAYLOCK_PLUGIN_OUTPUT_NAME

idle_pid=
POINTER_PID=
cleanup() {
    set +e
    [ -z "$idle_pid" ] || kill -KILL -- "-$idle_pid" 2>/dev/null
    if [ -n "${POINTER_PID:-}" ]; then
        disown "$POINTER_PID" 2>/dev/null # no word from bash on its end
        kill -KILL "$POINTER_PID" 2>/dev/null
    fi
    for pid in $(norwyn_processes ""); do kill -KILL "$pid" 2>/dev/null; done
    [ -z "$sway_pid" ] || kill -KILL "$sway_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Each run of norwyn gets a settings folder of its own, $work/config/<tag>:
# its processes are found by it, so a run that started any other is seen.
norwyn_processes() { # tag ("" for every run)
    local entry
    for entry in $(find /proc -mindepth 2 -maxdepth 2 -name exe -lname "$program" -printf '%h\n' 2>/dev/null); do
        tr '\0' '\n' <"$entry/environ" 2>/dev/null | grep -q "^XDG_CONFIG_HOME=$work/config/$1" || continue
        running "${entry#/proc/}" && echo "${entry#/proc/}"
    done
    return 0
}

norwyn_pid=
norwyn_tag=
start_norwyn() { # tag, options...
    norwyn_tag=$1
    shift
    mkdir -p "$work/config/$norwyn_tag"
    XDG_CONFIG_HOME="$work/config/$norwyn_tag" "$program" "$@" >"$work/$norwyn_tag.log" 2>&1 &
    norwyn_pid=$!
}

all_gone() { ! running "$norwyn_pid" && [ -z "$(norwyn_processes "$norwyn_tag")" ]; }

# Waits for the run's end (every process of it); sets status.
status=
ended_within() { # seconds
    status=
    wait_until "$1" all_gone || return 1
    status=0
    wait "$norwyn_pid" || status=$?
}

# Ends a run that is still going, whatever its state, before the next one.
stop_norwyn() {
    local pid
    if running "$norwyn_pid"; then kill -KILL "$norwyn_pid" 2>/dev/null || true; fi
    for pid in $(norwyn_processes "$norwyn_tag"); do kill -KILL "$pid" 2>/dev/null || true; done
    wait_until 10 all_gone || true
    wait "$norwyn_pid" 2>/dev/null || true
}

stored_frames() { sed -n 's/^frames = //p' "$work/config/$norwyn_tag/norwyn/settings" 2>/dev/null || true; }
positive() { awk -v x="${1:-0}" 'BEGIN { exit !(x > 0) }'; }

show_log() { sed 's/^/    norwyn: /' "$work/$norwyn_tag.log" | tail -20; }

# --- sway -------------------------------------------------------------------

# HEADLESS-3 is the output plugged in during a run.
start_headless_sway "$work" 2 'output HEADLESS-3 mode 640x480 position 1824 0' ||
    { echo "FAILED: headless sway did not come up"; exit 1; }
run=$sway_run
export XDG_RUNTIME_DIR=$run WAYLAND_DISPLAY=$sway_display SWAYSOCK=$sway_socket

# name WIDTH HEIGHT X Y of each active output, one a line.
outputs() { sway_outputs | cut -d' ' -f1-5; }
placed=no
place_sway_outputs "HEADLESS-1 800 600 0 0" "HEADLESS-2 1024 768 800 0" && placed=yes
check "headless sway runs, HEADLESS-1 at 800x600 and HEADLESS-2 at 1024x768 ($(outputs | tr '\n' ';'))" \
    '[ $placed = yes ]'
[ $failures -eq 0 ] || exit 1

# --- the pointer ------------------------------------------------------------

coproc POINTER { exec "$pointer_helper"; }
reply=
read -r -t 30 reply <&"${POINTER[0]}" || true
check "the virtual pointer is plugged in ($reply)" '[ "$reply" = ready ]'
[ "$reply" = ready ] || exit 1

pointer() { # command...: sent, and taken in by sway
    echo "$*" >&"${POINTER[1]}"
    read -r -t 10 reply <&"${POINTER[0]}" && [ "$reply" = ok ]
}

# Puts the pointer in the middle of an output, before a run starts.
pointer_to_middle() { # output
    local layout_width layout_height x y
    read -r layout_width layout_height < <(outputs | awk '
        { if ($4 + $2 > w) w = $4 + $2; if ($5 + $3 > h) h = $5 + $3 } END { print w, h }')
    read -r x y < <(outputs | awk -v name="$1" '$1 == name { print $4 + int($2 / 2), $5 + int($3 / 2) }')
    pointer place "$x" "$y" "$layout_width" "$layout_height"
}

# --- what the outputs show --------------------------------------------------

# Uncompressed: a loaded machine spends its time on the checks, not on zlib.
shot() { grim -t ppm -o "$1" "$2" 2>/dev/null; } # output, file

shot_number=0
shot_file=
new_shot() { shot_number=$((shot_number + 1)); shot_file=$work/shot-$shot_number.ppm; }

# The scene, lit throughout and at the output's size, in a shot of a 4:3
# output: at 4:3 the warped background fills the whole surface, so neither
# sway's empty grey (#3F3F3F) nor black shows anywhere. With --fps, the
# frame-rate corner's white digits stand exactly 4 * scale pixels above the
# bottom edge (scale = height / 360, at least 1), as they do only on a
# surface of the output's own height.
seen=
shows_scene() { # file, width, height, with the frame-rate corner (yes/no)
    local file=$1 width=$2 height=$3 scale corner=() size grey lit spread text below above
    seen="no shot"
    [ -s "$file" ] || return 1
    # One convert for every measure, one line each: the shot's size, the
    # share of sway's grey, the share lit, the spread of its grey levels,
    # then the white pixels of the corner's row of digits, of the strip
    # below them and of the strip above.
    scale=$((height / 360 > 1 ? height / 360 : 1))
    [ "$4" = no ] || for strip in "7x+0+$((height - 11 * scale))" "4x+0+$((height - 4 * scale))" \
        "4x+0+$((height - 15 * scale))"; do
        corner+=(\( -clone 0 -crop "$((64 * scale))x$((${strip%%x*} * scale))${strip#*x}" +repage)
        corner+=(-fill black +opaque white \))
    done
    read -r size grey lit spread text below above < <(convert "$file" \
        \( -clone 0 -fill black +opaque '#3F3F3F' -fill white -opaque '#3F3F3F' \) \
        \( -clone 0 -threshold 2% \) \( -clone 0 -colorspace gray \) "${corner[@]}" \
        -format '%wx%h %[fx:mean] %[fx:standard_deviation] %[fx:int(mean*w*h+0.5)]\n' info: |
        awk 'NR == 1 { size = $1 } NR == 2 { grey = $2 } NR == 3 { lit = $2 } NR == 4 { spread = $3 }
             NR > 4 { corner = corner " " $4 } END { print size, grey, lit, spread corner }')
    seen="$size, $lit lit, $grey bare, spread $spread"
    [ "$size" = "${width}x$height" ] || return 1
    awk -v g="$grey" -v l="$lit" -v s="$spread" 'BEGIN { exit !(g < 0.01 && l > 0.9 && s > 0.05) }' || return 1
    [ "$4" = yes ] || return 0
    seen="$seen, frame-rate corner $text white pixels, $below below it, $above above"
    [ "$text" -ge $((40 * scale * scale)) ] && [ $((below * 10)) -lt "$text" ] && [ $((above * 10)) -lt "$text" ]
}

# Waits for an output to show the scene; gives up at once if norwyn ends.
last_shot=
covered() { # output, width, height, with the frame-rate corner, seconds
    local deadline=$(($(now_ms) + $5 * 1000))
    while :; do
        new_shot
        last_shot=$shot_file
        shot "$1" "$last_shot" && shows_scene "$last_shot" "$2" "$3" "$4" && return 0
        running "$norwyn_pid" || return 1
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Waits for the output to show a picture other than the last shot's: a new
# frame, drawn after whatever came before the call.
differing=
moves() { # output
    local first=$last_shot next
    differing=0
    local deadline=$(($(now_ms) + 15000))
    while :; do
        new_shot
        next=$shot_file
        running "$norwyn_pid" || return 1
        if shot "$1" "$next"; then
            differing=$(compare -metric AE "$first" "$next" null: 2>&1 | awk '{ print int($1) }' || true)
            [ "${differing:-0}" -gt 1000 ] && { last_shot=$next; return 0; }
        fi
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Two pictures in a row, each new, from a shot taken now: the program has
# gone round its loop since whatever came before the call.
new_frames() { # output
    new_shot
    last_shot=$shot_file
    shot "$1" "$last_shot" && moves "$1" && moves "$1"
}

# Does something that should end the run, and checks that it does.
ends_on() { # seconds, expected status, description, action...
    local seconds=$1 expected=$2 description=$3
    shift 3
    if ! running "$norwyn_pid"; then
        check "$description ends it with $expected (it had already ended)" false
        show_log
        return 0
    fi
    "$@" || true
    ended_with "$seconds" "$expected" "$description"
}

# wtype's keyboard is new to the seat each time: norwyn has its 300 ms to
# take it up before the key. A loaded machine may need another go.
tries=0
type_until_gone() { # key (wtype's -k name) or text
    local what=("$@")
    tries=0
    until [ $tries -ge 3 ]; do
        tries=$((tries + 1))
        wtype -s 300 "${what[@]}" || true
        wait_until 5 all_gone && return 0
    done
    return 1
}

expected_status=
ended_with() { # seconds, expected status, description
    expected_status=$2
    if ended_within "$1"; then
        check "$3 ends it with $2 ($status)" '[ "$status" = "$expected_status" ]'
    else
        check "$3 ends it with $2 (still running after $1 s)" false
        show_log
    fi
}

# Starts norwyn --root with the pointer in the middle of HEADLESS-1 and
# waits for that output to show the scene.
start_root() { # tag, options...
    pointer_to_middle HEADLESS-1 || true
    start_norwyn "$@"
    if ! covered HEADLESS-1 800 600 no 30; then
        check "norwyn --root ($1 run) covers HEADLESS-1 ($seen)" false
        show_log
        return 1
    fi
}

# Both outputs show the moving scene at their own sizes, with the frame-rate
# corner; true if both showed it.
scene_on_each_output() { # what draws
    local screen output width height result moved all=yes
    for screen in "HEADLESS-1 800 600" "HEADLESS-2 1024 768"; do
        read -r output width height <<<"$screen"
        result=no
        covered "$output" "$width" "$height" yes 30 && result=yes || show_log
        check "$1 draws the scene on $output at ${width}x$height ($seen)" '[ $result = yes ]'
        moved=no
        moves "$output" && moved=yes
        check "the picture on $output moves ($differing pixels changed)" '[ $moved = yes ]'
        [ $result = yes ] || all=no
    done
    [ $all = yes ]
}

# --- norwyn --root: both outputs, the scene at each one's size, moving -------

# Both outputs are 4:3 and of different sizes; --fps puts the frame-rate
# corner on each.
pointer_to_middle HEADLESS-1 || true
start_norwyn cover --root --fps
scene_on_each_output --root || true
processes=$(norwyn_processes cover | wc -l)
check "one norwyn process covers both outputs ($processes)" '[ "$processes" -eq 1 ]'

# A small move does not end it: a nudge gives the surface the pointer, then
# 9 more pixels. Two new frames on the output under the pointer, after sway
# has sent the moves on, show that norwyn has had them.
pointer move 1 0 && pointer move 9 0 || true
drawing=no
new_frames HEADLESS-1 && drawing=yes
check "a 10-pixel pointer move does not end it (new frames drawn since: $drawing)" \
    '[ $drawing = yes ] && running "$norwyn_pid" && [ "$(norwyn_processes cover | wc -l)" -eq "$processes" ]'

# SIGTERM, as swayidle's resume or a session sends it.
started=$(now_ms)
if ! running "$norwyn_pid"; then
    check "SIGTERM ends every norwyn process at once (it had already ended)" false
    show_log
elif kill -TERM "$norwyn_pid" && ended_within 10; then
    took=$(($(now_ms) - started))
    check "SIGTERM ends every norwyn process at once (${took} ms)" '[ "$took" -le 3000 ]'
    check "SIGTERM ends it by the signal itself (status $status)" '[ "$status" -eq 143 ]'
else
    check "SIGTERM ends every norwyn process at once (still running after 10 s)" false
fi
frames=$(stored_frames)
check "SIGTERM stores the frame rate ($frames)" 'positive "$frames"'
stop_norwyn

# --- what ends --root ---------------------------------------------------------

if start_root key --root; then
    ends_on 10 0 "a key (Escape)" type_until_gone -k Escape
    echo "    (Escape typed $tries times)"
fi
stop_norwyn

if start_root click --root; then
    pointer move 1 0 || true
    ends_on 10 0 "a click" pointer click
fi
stop_norwyn

if start_root scroll --root; then
    pointer move 1 0 || true
    ends_on 10 0 "a scroll" pointer scroll
fi
stop_norwyn

if start_root move --root; then
    pointer move 1 0 || true
    ends_on 10 0 "an 80-pixel pointer move" pointer move 80 0
fi
stop_norwyn

# --- swayidle ---------------------------------------------------------------

# swayidle's timeout starts norwyn, its resume ends it: the first activity
# after the timeout, here a one-pixel pointer move that norwyn itself lets by.
mkdir -p "$work/config/idle"
rm -f "$run/norwyn.pid"
pointer_to_middle HEADLESS-1 || true
XDG_CONFIG_HOME="$work/config/idle" setsid swayidle \
    timeout 1 "$(printf '%q' "$program") --root & echo \$! >\"\$XDG_RUNTIME_DIR/norwyn.pid\"" \
    resume 'kill $(cat "$XDG_RUNTIME_DIR/norwyn.pid")' >"$work/swayidle.log" 2>&1 &
idle_pid=$!
norwyn_tag=idle
norwyn_pid=
idle_started() { [ -s "$run/norwyn.pid" ] && norwyn_pid=$(cat "$run/norwyn.pid") && running "$norwyn_pid"; }
wait_until 30 idle_started || true
check "swayidle's timeout starts norwyn --root (pid ${norwyn_pid:-none})" '[ -n "$norwyn_pid" ]'
if [ -n "$norwyn_pid" ]; then
    if covered HEADLESS-1 800 600 no 30; then
        pointer move 1 0 || true
        gone=no
        wait_until 10 all_gone && gone=yes
        check "activity makes swayidle's resume end it" '[ $gone = yes ]'
        frames=$(stored_frames)
        check "ended by the resume, it stores the frame rate ($frames)" 'positive "$frames"'
    else
        check "started by swayidle, norwyn covers HEADLESS-1 ($seen)" false
    fi
fi
# swayidle, its shells and any norwyn a second timeout started.
kill -KILL -- "-$idle_pid" 2>/dev/null || true
wait "$idle_pid" 2>/dev/null || true
idle_pid=
for pid in $(norwyn_processes idle); do kill -KILL "$pid" 2>/dev/null || true; done
wait_until 10 eval '[ -z "$(norwyn_processes idle)" ]' || true

# --- --window ----------------------------------------------------------------

# The pid of sway's toplevel with the saver's title and app id, if any.
toplevel=
saver_toplevel() {
    toplevel=$(swaymsg -r -t get_tree | python3 -c '
import json, sys
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
for node in walk(json.load(sys.stdin)):
    if node.get("name") == sys.argv[1] and node.get("app_id") == "norwyn":
        print(node.get("pid"))' "$title")
    [ -n "$toplevel" ]
}
close_window() { swaymsg "[pid=$norwyn_pid] kill" >/dev/null; }
toplevel_or_ended() { saver_toplevel || ! running "$norwyn_pid"; }

start_norwyn window --window
wait_until 30 toplevel_or_ended || true
check "--window opens a toplevel titled \"$title\", app id norwyn (pid ${toplevel:-none})" '[ "$toplevel" = "$norwyn_pid" ]'
if [ -n "$toplevel" ]; then
    ends_on 10 0 "q in the window" type_until_gone q
    echo "    (q typed $tries times)"
else
    show_log
fi
stop_norwyn

# --- WAYLAND_SOCKET -----------------------------------------------------------

# A parent connects and hands the connection over as fd 7, with no
# WAYLAND_DISPLAY: and with no wayland-0 either, that fd is norwyn's only
# way to sway.
mkdir -p "$work/config/socket"
norwyn_tag=socket
XDG_CONFIG_HOME="$work/config/socket" python3 -c '
import os, socket, sys
connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
connection.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
os.dup2(connection.fileno(), 7, inheritable=True)
environment = dict(os.environ)
del environment["WAYLAND_DISPLAY"]
environment["WAYLAND_SOCKET"] = "7"
os.execve(sys.argv[1], [sys.argv[1], "--window"], environment)' "$program" >"$work/socket.log" 2>&1 &
norwyn_pid=$!
wait_until 30 toplevel_or_ended || true
check "with WAYLAND_SOCKET handed over (no WAYLAND_DISPLAY, no wayland-0), the toplevel comes over it (pid ${toplevel:-none})" \
    '[ "$toplevel" = "$norwyn_pid" ] && [ ! -e "$run/wayland-0" ]'
if [ -n "$toplevel" ]; then
    ends_on 10 0 "the compositor's close" close_window
else
    show_log
fi
stop_norwyn

# --- --wallpaper --------------------------------------------------------------

pointer_to_middle HEADLESS-1 || true
start_norwyn wallpaper --wallpaper --fps
drew=no
scene_on_each_output --wallpaper && drew=yes
check "one norwyn process draws the wallpaper on both outputs ($(norwyn_processes wallpaper | wc -l))" \
    '[ "$(norwyn_processes wallpaper | wc -l)" -eq 1 ]'
wtype -s 300 -k Escape || true
pointer move 1 0 && pointer click && pointer scroll && pointer move 80 0 || true
drawing=no
new_frames HEADLESS-1 && drawing=yes
check "a key, a click, a scroll and an 80-pixel move leave the wallpaper drawing (new frames since: $drawing)" \
    '[ $drawing = yes ] && running "$norwyn_pid"'
gone=no
running "$norwyn_pid" && kill -TERM "$norwyn_pid" && wait_until 10 all_gone && gone=yes
check "SIGTERM ends the wallpaper" '[ $gone = yes ]'
check "the wallpaper, having drawn and ended, stores nothing" \
    '[ $drew = yes ] && [ $gone = yes ] && [ ! -e "$work/config/wallpaper/norwyn/settings" ]'
stop_norwyn

# --- one process for every output: outputs and devices that come and go ------

# The seat's own pointer (the coprocess) unplugged, so that the seat loses
# the pointer capability, and plugged in again.
unplug_pointer() {
    [ -n "${POINTER_PID:-}" ] || return 0
    local pid=$POINTER_PID
    echo quit >&"${POINTER[1]}" || true
    wait "$pid" 2>/dev/null || true
}
plug_pointer() {
    coproc POINTER { exec "$pointer_helper"; }
    read -r -t 30 reply <&"${POINTER[0]}" && [ "$reply" = ready ]
}

# A pointer device of its own for one command, unplugged after it: the
# seat gains the pointer capability, then loses it. norwyn has a second to
# take the new pointer up before the command.
one_device() { # command...
    { sleep 1; echo "$*"; echo quit; } | "$pointer_helper" | grep -qx ok
}

# The surface of an output disabled during the run goes with it, and the
# other output moves on; given back, the output is covered again. With
# every output gone, the run waits and covers the next one.
outputs_come_and_go() {
    local moved result alive
    start_root outputs --root || { stop_norwyn; return 0; }
    covered HEADLESS-2 1024 768 no 30 || true
    swaymsg output HEADLESS-1 disable >/dev/null
    moved=no
    new_frames HEADLESS-2 && moved=yes
    check "with HEADLESS-1 disabled, HEADLESS-2 moves on (new frames: $moved), one process ($(norwyn_processes outputs | wc -l))" \
        '[ $moved = yes ] && [ "$(norwyn_processes outputs | wc -l)" -eq 1 ]'
    swaymsg output HEADLESS-1 enable >/dev/null
    result=no
    covered HEADLESS-1 800 600 no 30 && moves HEADLESS-1 && result=yes
    check "HEADLESS-1 given back is covered again, and moves ($seen)" '[ $result = yes ]'

    swaymsg output HEADLESS-1 disable >/dev/null
    swaymsg output HEADLESS-2 disable >/dev/null
    sleep 1
    alive=no
    running "$norwyn_pid" && alive=yes
    check "with every output disabled, the run goes on ($alive)" '[ $alive = yes ]'
    swaymsg output HEADLESS-2 enable >/dev/null
    result=no
    covered HEADLESS-2 1024 768 no 30 && moves HEADLESS-2 && result=yes
    check "the next output that comes is covered, and moves ($seen)" '[ $result = yes ]'
    swaymsg output HEADLESS-1 enable >/dev/null
    wait_until 10 sway_outputs_are "HEADLESS-1 800 600 0 0" "HEADLESS-2 1024 768 800 0" || true
    pointer move 1 0 || true
    ends_on 10 0 "a click after the outputs came back" pointer click
    stop_norwyn
}

# The 50-pixel rule counts in sway's layout: from x = 781 of the 800-wide
# HEADLESS-1, 40 px onto HEADLESS-2 keep the run, 30 px more end it.
pointer_across_outputs() {
    local drawing=no
    pointer place 780 300 1824 768 || true
    start_norwyn across --root
    if ! covered HEADLESS-1 800 600 no 30; then
        check "norwyn --root (across run) covers HEADLESS-1 ($seen)" false
        show_log
        stop_norwyn
        return 0
    fi
    pointer move 1 0 && pointer move 40 0 || true
    new_frames HEADLESS-2 && drawing=yes
    check "from x 781 of HEADLESS-1, 40 px onto HEADLESS-2 do not end it (new frames since: $drawing)" \
        '[ $drawing = yes ] && running "$norwyn_pid"'
    ends_on 10 0 "30 px more on HEADLESS-2 (70 px from the start)" pointer move 30 0
    stop_norwyn
}

# Pointers and keyboards that come and go: each move from a device of its
# own; a click from a new device; in the window, q from a second keyboard.
devices_come_and_go() {
    local drawing
    if start_root devices --root; then
        unplug_pointer
        one_device move 5 0 || true
        drawing=no
        new_frames HEADLESS-1 && drawing=yes
        check "a 5-pixel move from a pointer that then goes does not end it (new frames since: $drawing)" \
            '[ $drawing = yes ] && running "$norwyn_pid"'
        ends_on 10 0 "an 80-pixel move from a new pointer" one_device move 80 0
    fi
    stop_norwyn
    plug_pointer || check "the virtual pointer is plugged in again ($reply)" false
    if start_root newclick --root; then
        unplug_pointer
        ends_on 10 0 "a click from a new pointer" one_device click
    fi
    stop_norwyn
    plug_pointer || check "the virtual pointer is plugged in again ($reply)" false

    start_norwyn keyboards --window
    wait_until 30 toplevel_or_ended || true
    if [ "$toplevel" = "$norwyn_pid" ]; then
        wtype -s 300 a || true
        sleep 1
        check "in the window, a from one keyboard leaves it open" 'running "$norwyn_pid"'
        ends_on 10 0 "q from a second keyboard in the window" type_until_gone q
    else
        check "--window (keyboards run) opens its toplevel" false
        show_log
    fi
    stop_norwyn
}

# A connection handed over in WAYLAND_SOCKET, as swaylock-plugin's --command
# (every output) and --command-each (one output named) hand it.
hand_over() { # tag, output name ("" for none), options...
    local tag=$1 only=$2
    shift 2
    norwyn_tag=$tag
    mkdir -p "$work/config/$tag"
    XDG_CONFIG_HOME="$work/config/$tag" SWAYLOCK_PLUGIN_OUTPUT_NAME="$only" python3 -c '
import os, socket, sys
connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
connection.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
os.dup2(connection.fileno(), 7, inheritable=True)
environment = dict(os.environ)
del environment["WAYLAND_DISPLAY"]
if not environment["SWAYLOCK_PLUGIN_OUTPUT_NAME"]:
    del environment["SWAYLOCK_PLUGIN_OUTPUT_NAME"]
environment["WAYLAND_SOCKET"] = "7"
os.execve(sys.argv[1], sys.argv[1:], environment)' "$program" "$@" >"$work/$tag.log" 2>&1 &
    norwyn_pid=$!
}

# Ended as a session would, and reaped, before the next run.
end_handed_over() {
    running "$norwyn_pid" && kill -TERM "$norwyn_pid" && ended_within 10 || true
    stop_norwyn
}

handed_over_outputs() {
    local result
    hand_over handed "" --wallpaper
    result=no
    covered HEADLESS-1 800 600 no 30 && covered HEADLESS-2 1024 768 no 30 && moves HEADLESS-2 && result=yes
    check "one handed-over connection with no output named draws both outputs ($seen)" '[ $result = yes ]'
    end_handed_over

    hand_over named HEADLESS-2 --wallpaper
    result=no
    covered HEADLESS-2 1024 768 no 30 && moves HEADLESS-2 && result=yes
    check "with SWAYLOCK_PLUGIN_OUTPUT_NAME=HEADLESS-2 it draws HEADLESS-2 ($seen)" '[ $result = yes ]'
    new_shot
    result=drawn
    shot HEADLESS-1 "$shot_file" && ! shows_scene "$shot_file" 800 600 no && result=bare
    check "and leaves HEADLESS-1 bare ($result: $seen)" '[ $result = bare ]'
    end_handed_over
}

outputs_come_and_go
pointer_across_outputs
devices_come_and_go
handed_over_outputs

# --- an output plugged in, then sway gone ------------------------------------

kill_sway() {
    kill -KILL "$sway_pid"
    wait "$sway_pid" 2>/dev/null || true
    sway_pid=
}

# A new output is covered as fast as the run's first ones were, give or take
# two seconds: the same start of a process, its GL and its first frame,
# however loaded the machine.
started=$(now_ms)
if start_root lost --root; then
    covered HEADLESS-2 1024 768 no 30 || true
    bound=$(($(now_ms) - started + 2000))
    [ $bound -ge 3000 ] || bound=3000
    started=$(now_ms)
    swaymsg create_output >/dev/null
    if covered HEADLESS-3 640 480 no 30; then
        took=$(($(now_ms) - started))
        check "an output plugged in during the run is covered in ${took} ms (at most $bound ms)" '[ "$took" -le "$bound" ]'
    else
        check "an output plugged in during the run is covered ($seen)" false
    fi

    ends_on 10 1 "sway's end" kill_sway
    frames=$(stored_frames)
    check "losing sway, it stores the frame rate ($frames)" 'positive "$frames"'
fi
stop_norwyn

exit $failures
