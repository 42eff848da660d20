#!/usr/bin/env bash
# An X server that goes away under a running norwyn ends it: no orphan is
# left spinning on a display that is gone.
#
#   tests/linux/lost_display_test.sh path/to/norwyn
set -euo pipefail
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

# A display number of our own: the first one without a lock file.
number=90
while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 320x240x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done

XDG_CONFIG_HOME="$work" "$program" --display ":$number" --geometry 320x240 2>"$work/errors" &
saver=$!
sleep 2
kill -0 "$saver" || { echo "FAILED: norwyn did not start"; cat "$work/errors"; exit 1; }
kill -TERM "$server"
wait "$server" 2>/dev/null || true
server=

for _ in $(seq 50); do
    kill -0 "$saver" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$saver" 2>/dev/null; then
    echo "FAILED: norwyn still runs five seconds after its X server went away"
    exit 1
fi
status=0
wait "$saver" || status=$?
saver=
echo "ok: norwyn ended ($status) when its X server went away: $(cat "$work/errors")"
[ "$status" -eq 1 ]
