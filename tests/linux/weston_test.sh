#!/usr/bin/env bash
# norwyn on a compositor without layer shell: headless weston. --wallpaper
# says plainly that it cannot run there; --root falls back to a full-screen
# toplevel at the output's size, draws frame after frame, and SIGTERM ends
# it. weston offers no screenshots or virtual input without extra modules,
# so what norwyn asks and draws is read from its own protocol log.
#
#   tests/linux/weston_test.sh path/to/norwyn
set -euo pipefail
source "$(dirname "$0")/../../scripts/checks.sh"
program=$(realpath "$1")
command -v weston >/dev/null || { echo "FAILED: weston is not installed"; exit 1; }

work=$(mktemp -d /tmp/norwyn-weston-XXXXXX)
mkdir -m 700 "$work/run"
unset DISPLAY XSCREENSAVER_WINDOW WAYLAND_SOCKET SWAYLOCK_PLUGIN_OUTPUT_NAME
export XDG_RUNTIME_DIR=$work/run WAYLAND_DISPLAY=norwyn-test XDG_CONFIG_HOME=$work/config
weston_pid=
norwyn_pid=
cleanup() {
    [ -z "$norwyn_pid" ] || kill -KILL "$norwyn_pid" 2>/dev/null
    [ -z "$weston_pid" ] || kill -KILL "$weston_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT


weston --backend=headless-backend.so --width=800 --height=600 --socket="$WAYLAND_DISPLAY" \
    --idle-time=0 --no-config >"$work/weston.log" 2>&1 &
weston_pid=$!
if ! wait_until 30 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"; then
    echo "FAILED: headless weston did not come up"
    tail -20 "$work/weston.log"
    exit 1
fi

code=0
"$program" --wallpaper >/dev/null 2>"$work/wallpaper.log" || code=$?
check "--wallpaper exits 1 ($code), saying why: $(head -c 200 "$work/wallpaper.log")" \
    '[ $code = 1 ] && grep -q "offers no layer shell" "$work/wallpaper.log"'

WAYLAND_DEBUG=1 "$program" --root >/dev/null 2>"$work/root.log" &
norwyn_pid=$!
swaps() { grep -c -- '-> wl_surface@[0-9]*\.attach' "$work/root.log" || true; }
drawn() { [ "$(swaps)" -ge 20 ]; }
wait_until 30 drawn || true
check "--root asks for a full-screen toplevel" 'grep -q -- "-> xdg_toplevel@[0-9]*\.set_fullscreen" "$work/root.log"'
check "weston gives it the output's 800x600" 'grep -q "xdg_toplevel@[0-9]*\.configure(800, 600" "$work/root.log"'
check "it draws frame after frame ($(swaps) buffers)" drawn
code=0
kill -TERM "$norwyn_pid"
wait_until 10 eval '! kill -0 "$norwyn_pid" 2>/dev/null' || true
wait "$norwyn_pid" || code=$?
norwyn_pid=
check "SIGTERM ends it by the signal ($code)" '[ $code = 143 ]'
check "and it stores its frame rate" \
    'awk "\$1 == \"frames\" && \$3 > 0 { found = 1 } END { exit !found }" "$XDG_CONFIG_HOME/norwyn/settings"'

exit $failures
