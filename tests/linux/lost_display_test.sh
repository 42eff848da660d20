#!/usr/bin/env bash
# An X server that goes away under a running norwyn ends it: no orphan is
# left spinning on a display that is gone.
#
#   tests/linux/lost_display_test.sh path/to/norwyn
set -euo pipefail
source "$(dirname "$0")/../../scripts/checks.sh"
program=$1
work=$(mktemp -d)
server=
saver=
cleanup() {
    [ -z "$saver" ] || kill -KILL "$saver" 2>/dev/null || true
    [ -z "$server" ] || kill -KILL "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: the server picks a free number itself and writes it
# once it takes clients, so that no other server started at the same moment
# (another test run's, the soak's) can be given the same one. -noreset: the
# checks below connect and leave, and must not make it turn norwyn away.
Xvfb -displayfd 3 -noreset -screen 0 320x240x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
server=$!
numbered() { [ -s "$work/display" ] || ! running "$server"; }
wait_until 30 numbered || true
[ -s "$work/display" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
display=":$(head -n1 "$work/display")"

XDG_CONFIG_HOME="$work" "$program" --display "$display" --geometry 320x240 2>"$work/errors" &
saver=$!
# Running once its window is there.
shown=no
shown_or_ended() { DISPLAY=$display xdotool search --pid "$saver" && shown=yes || ! running "$saver"; }
wait_until 30 shown_or_ended || true
[ $shown = yes ] || { echo "FAILED: norwyn did not start"; cat "$work/errors"; exit 1; }
kill -TERM "$server"
wait "$server" 2>/dev/null || true
server=

if ! wait_until 5 eval '! running "$saver"'; then
    echo "FAILED: norwyn still runs five seconds after its X server went away"
    exit 1
fi
status=0
wait "$saver" || status=$?
saver=
check "norwyn ended with 1 ($status) when its X server went away: $(cat "$work/errors")" '[ "$status" -eq 1 ]'
exit $failures
