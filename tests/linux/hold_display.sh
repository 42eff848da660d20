# Sourced by the tests that start X clients one after another on the X server
# in $DISPLAY: holds one connection to it open until the test ends.
#
# An X server started without -noreset (as xvfb-run starts Xvfb) resets
# whenever its last client leaves, and a client that connects during the
# reset is turned away: XOpenDisplay fails. The XScreenSaver daemon then
# exits at once and says nothing after "running in process N", and a test
# that polls xscreensaver-command waits for an answer that can never come.
# Between two short-lived clients (the previous test's last one, each
# xscreensaver-command, import) the server has no client left, and a loaded
# machine makes the reset long enough to be hit. With this connection held,
# the server never loses its last client while the test runs.
#
#   source tests/linux/hold_display.sh
#   hold_display || exit 1      # before the first client that must not be turned away
#   ...
#   release_display             # in the test's cleanup

display_holder=

# True once a connection is held. The holder's own connection may be turned
# away by a reset that is under way (the previous test's last client may just
# have left), so it tries again until the server has let one in, for at most
# $1 seconds (30 by default).
hold_display() {
    local seconds=${1:-30} started output
    started=$(date +%s)
    output=$(mktemp /tmp/norwyn-holder-XXXXXX)
    while :; do
        # xprop -spy prints the root's WM_NAME (or that it has none) once it
        # is connected, then waits for changes until it is killed.
        xprop -root -spy WM_NAME >"$output" 2>&1 &
        display_holder=$!
        while kill -0 "$display_holder" 2>/dev/null && ! grep -q '^WM_NAME' "$output"; do
            sleep 0.05
        done
        if kill -0 "$display_holder" 2>/dev/null; then
            rm -f "$output"
            return 0
        fi
        wait "$display_holder" 2>/dev/null || true
        display_holder=
        if [ $(($(date +%s) - started)) -ge "$seconds" ]; then
            echo "the X server in $DISPLAY lets no client in: $(cat "$output")"
            rm -f "$output"
            return 1
        fi
        sleep 0.1
    done
}

release_display() {
    [ -z "$display_holder" ] || kill "$display_holder" 2>/dev/null || true
    display_holder=
}
