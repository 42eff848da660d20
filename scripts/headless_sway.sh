# Sourced by tests/linux/wayland_test.sh and bench/display_frame_cost.sh (after
# scripts/checks.sh): a headless sway of their own, with a given number of
# outputs, on Mesa's software renderer.
#
# sway refuses to run as root: it runs as nobody, in a runtime folder of its
# own inside the caller's work folder, and the clients (norwyn among them)
# reach its socket as root. It starts no Xwayland and no background program,
# which would lie over --wallpaper's surface.

sway_pid=
sway_run=
sway_display=
sway_socket=

# Starts sway and waits for it to answer; on failure shows the end of its log.
# Sets sway_pid, sway_run (its XDG_RUNTIME_DIR), sway_display (its
# WAYLAND_DISPLAY) and sway_socket (its SWAYSOCK).
start_headless_sway() { # work folder, number of outputs, further lines of its config...
    local work=$1 outputs=$2
    shift 2
    chmod 711 "$work" # nobody passes through to its runtime folder, and no further
    sway_run=$work/run
    mkdir -m 700 "$sway_run"
    chown 65534:65534 "$sway_run"
    printf '%s\n' 'xwayland disable' 'swaybg_command -' "$@" >"$sway_run/config"
    chown 65534:65534 "$sway_run/config"
    setpriv --reuid=65534 --regid=65534 --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$sway_run" XDG_RUNTIME_DIR="$sway_run" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS="$outputs" \
        sway -c "$sway_run/config" >"$work/sway.log" 2>&1 &
    sway_pid=$!
    if ! wait_until 30 sway_answers; then
        sed 's/^/    sway: /' "$work/sway.log" | tail -20
        return 1
    fi
}

sway_answers() {
    local socket
    for socket in "$sway_run"/wayland-*; do [ -S "$socket" ] && sway_display=${socket##*/}; done
    for socket in "$sway_run"/sway-ipc.*.sock; do [ -S "$socket" ] && sway_socket=$socket; done
    [ -n "$sway_display" ] && [ -n "$sway_socket" ] && swaymsg -s "$sway_socket" -t get_version >/dev/null 2>&1
}

# name WIDTH HEIGHT X Y REFRESH (Hz) of each active output, one a line.
sway_outputs() {
    swaymsg -s "$sway_socket" -r -t get_outputs | python3 -c '
import json, sys
for output in json.load(sys.stdin):
    if output.get("active"):
        r = output["rect"]
        print(output["name"], r["width"], r["height"], r["x"], r["y"], "%g" % (output["current_mode"]["refresh"] / 1000))'
}

# True when the active outputs are exactly the given ones.
sway_outputs_are() { # "name width height x y"...
    [ "$(sway_outputs | cut -d' ' -f1-5 | sort)" = "$(printf '%s\n' "$@" | sort)" ]
}

# Gives each output its mode and place, then waits up to 10 seconds for sway
# to show them so.
place_sway_outputs() { # "name width height x y"...
    local output name width height x y
    for output in "$@"; do
        read -r name width height x y <<<"$output"
        swaymsg -s "$sway_socket" output "$name" mode "${width}x$height" position "$x" "$y" >/dev/null
    done
    wait_until 10 sway_outputs_are "$@"
}
