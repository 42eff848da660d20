#!/usr/bin/env bash
# norwyn under the real XScreenSaver daemon, on the X server in $DISPLAY
# (started with -ac: the daemon runs as nobody, since it launches no hack as
# root). Activated, the daemon starts norwyn --root on its own window, named
# in XSCREENSAVER_WINDOW, and the screen shows the moving scene; deactivated,
# the daemon's SIGTERM ends norwyn within a second, "frames" stored.
#
#   tests/linux/daemon_test.sh path/to/norwyn
set -euo pipefail
program=$1
: "${DISPLAY:?needs an X server in DISPLAY}"
source "$(dirname "$0")/hold_display.sh"
source "$(dirname "$0")/../../scripts/checks.sh"

work=$(mktemp -d /tmp/norwyn-daemon-XXXXXX)
daemon=
cleanup() {
    if [ -n "$daemon" ]; then
        as_nobody xscreensaver-command -exit >/dev/null 2>&1 || true
        kill "$daemon" 2>/dev/null || true
    fi
    pkill -KILL -f "$work/norwyn" 2>/dev/null || true
    release_display
    rm -rf "$work"
}
trap cleanup EXIT

# nobody's home, with norwyn in it: a build tree below a private folder
# would be out of nobody's reach. The pictures travel inside the program.
cp "$program" "$work/norwyn"
printf '%s\n' \
    'mode:		one' 'selected:	0' 'lock:		False' 'fade:		False' 'unfade:		False' \
    'splash:		False' 'timeout:	0:30:00' 'dpmsEnabled:	False' \
    "programs:	GL: $work/norwyn --root \\n" >"$work/.xscreensaver"
chown -R 65534:65534 "$work"
chmod 755 "$work"

# ASAN_OPTIONS passes on to norwyn when the tests run it under sanitizers.
as_nobody() {
    setpriv --reuid=65534 --regid=65534 --clear-groups \
        env -i HOME="$work" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} "$@"
}

# The daemon, xscreensaver-command and import each connect on their own; a
# connection held for the whole test keeps the server from resetting under
# any of them (see hold_display.sh).
hold_display || exit 1

as_nobody xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
daemon=$!
# A loaded machine may keep the daemon from answering for a while; a daemon
# that has ended will never answer.
ready=no
answers_or_ended() { as_nobody xscreensaver-command -time && ready=yes || ! running "$daemon"; }
wait_until 30 answers_or_ended || true
check "the daemon answers" '[ $ready = yes ]'
if [ $ready = no ]; then
    kill -0 "$daemon" 2>/dev/null || { wait "$daemon" && echo "the daemon ended (0)" || echo "the daemon ended ($?)"; }
    daemon=
    tail -20 "$work/daemon.log"
    exit 1
fi

as_nobody xscreensaver-command -activate >/dev/null
activated=$(date +%s)
saver=
started() { saver=$(pgrep -f "^$work/norwyn --root") && [ -n "$saver" ]; }
wait_until 20 started || true
check "the daemon started norwyn --root" '[ -n "$saver" ]'
if [ -z "$saver" ]; then
    tail -20 "$work/daemon.log"
    exit 1
fi
named=$(tr '\0' '\n' <"/proc/$saver/environ" | sed -n 's/^XSCREENSAVER_WINDOW=//p')
check "it was given the daemon's window ($named)" '[[ $named =~ ^0x[0-9a-fA-F]+$ ]]'

# The share of the middle of a screenshot that is not black.
lit_share() { convert "$1" -crop 1000x600+140+60 -threshold 2% -format '%[fx:mean]' info:; }
mostly_lit() { awk -v x="$1" 'BEGIN { exit !(x > 0.9) }'; }
# The first frames of a loaded machine may come late: screenshots until the
# scene is there, then until it has moved on from that one.
lit=0
scene_shown() { import -window root "$work/first.png" && lit=$(lit_share "$work/first.png") && mostly_lit "$lit"; }
wait_until 30 scene_shown || true
check "the screen shows the scene, not black ($lit lit)" 'mostly_lit "$lit"'
moved=0
scene_moved() {
    import -window root "$work/second.png" &&
        moved=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 | awk '{ print int($1) }') &&
        [ "${moved:-0}" -gt 1000 ]
}
wait_until 10 scene_moved || true
check "the scene moves, as no splash would ($moved pixels)" '[ "${moved:-0}" -gt 1000 ]'

# Past the daemon's two seconds of ignoring activity after it blanked.
while [ $(($(date +%s) - activated)) -lt 3 ]; do sleep 0.2; done

as_nobody xscreensaver-command -deactivate >/dev/null
# The daemon reaches its SIGTERM through xscreensaver-gfx, which unblanks
# first, and a loaded machine makes that slow: norwyn's second is counted from
# the daemon's word that it is killing norwyn.
told_to_end() { grep -qF "killing pid $saver (" "$work/daemon.log"; }
check "deactivated, the daemon ends norwyn" 'wait_until 10 told_to_end'
# Gone: ended, whether or not the daemon has reaped it yet.
gone() { ! running "$saver"; }
check "norwyn is gone within a second of its SIGTERM" 'wait_until 1 gone'
frames=$(sed -n 's/^frames = //p' "$work/.config/norwyn/settings" 2>/dev/null || true)
check "the frame rate is stored ($frames)" 'awk -v x="${frames:-0}" "BEGIN { exit !(x > 0) }"'

as_nobody xscreensaver-command -exit >/dev/null 2>&1 || true
exit $failures
