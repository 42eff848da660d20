#!/usr/bin/env bash
# What a paced frame of norwyn --root costs in CPU on Wayland against X11, at
# the same size and on the same Mesa llvmpipe: one run on a headless sway with
# one 1280x720 output, one on an Xvfb of 1280x720, the same settings (a fresh
# settings folder each), the same --delay. Each run is warmed up, then for a
# fixed window it counts the CPU time (user + system) of the norwyn process of
# the run and any it started (found as its descendants) and the frames shown,
# and it ends on SIGTERM as a session would. A long --delay shows what is
# spent between frames: CPU a second should be the frame rate times the cost
# of a frame, nothing more. Then, at the first delay, Wayland runs on one
# 1280x720 output and on two side by side, one after the other: a second
# output should cost no more than the first, and the last line reads
# "two outputs / one output: R", the median of the runs' ratios.
#
#   bench/display_frame_cost.sh path/to/norwyn [repetitions, default 5]
#
# Environment: NORWYN_BENCH_SECONDS (window, default 10), NORWYN_BENCH_WARMUP
# (default 2), NORWYN_BENCH_DELAYS (default "16666 200000 0": the default
# pacing, a long one, and none but the compositor's), NORWYN_BENCH_KEEP=1
# keeps the work folder. Each repetition's numbers
# go to stderr; stdout gets the table of medians (with min-max).
#
# The frames are counted by bench/swap_counter.c, preloaded into norwyn: one
# atomic add in a shared file at each successful eglSwapBuffers or
# glXSwapBuffers. The rate norwyn stores on SIGTERM is shown beside it.
# The CPU comes from /proc/<pid>/stat (utime + stime of every thread), read
# at both ends of the window, so start-up and ending are left out. The
# display server's own CPU is shown too, but is not the program's.
#
# sway runs as scripts/headless_sway.sh starts it, as in tests/linux/wayland_test.sh.
set -euo pipefail
source "$(dirname "$0")/../scripts/checks.sh"
source "$(dirname "$0")/../scripts/headless_sway.sh"
program=$(realpath "$1")
repetitions=${2:-5}
seconds=${NORWYN_BENCH_SECONDS:-10}
warmup=${NORWYN_BENCH_WARMUP:-2}
read -r -a delays <<<"${NORWYN_BENCH_DELAYS:-16666 200000 0}"
width=1280
height=720
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in sway swaymsg Xvfb setpriv python3 cc; do
    command -v "$tool" >/dev/null || { echo "display_frame_cost: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d /tmp/norwyn-display-bench-XXXXXX)

unset DISPLAY XSCREENSAVER_WINDOW WAYLAND_DISPLAY WAYLAND_SOCKET SWAYSOCK SWAYLOCK_PLUGIN_OUTPUT_NAME

xvfb_pid=
norwyn_pid=
cleanup() {
    set +e
    if [ -n "$norwyn_pid" ]; then
        for pid in $(tree_pids "$norwyn_pid"); do kill -KILL "$pid" 2>/dev/null; done
    fi
    [ -z "$sway_pid" ] || kill -KILL "$sway_pid" 2>/dev/null
    [ -z "$xvfb_pid" ] || kill -KILL "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    if [ "${NORWYN_BENCH_KEEP:-0}" = 1 ]; then echo "work folder kept: $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT


# Reads /proc: a process and its descendants, found through their parents,
# and with "sample", one reading of them: monotonic seconds, the frames
# counted so far, the CPU seconds of the run's processes (user + system, all
# threads), how many processes they are, the CPU seconds of the display
# server, and how many times the run's threads have gone to sleep.
processes() { # pid, or: sample run's pid, counter file, server pid
    python3 - "$@" <<'EOF'
import os, struct, sys, time
sampling = sys.argv[1] == "sample"
root = int(sys.argv[2] if sampling else sys.argv[1])
tick = os.sysconf("SC_CLK_TCK")
stats = {}
for entry in os.listdir("/proc"):
    if entry.isdigit():
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            # fields[0] is the state, so utime and stime (stat's 14th and 15th) are 11 and 12
            if not sampling or fields[0] != "Z":
                stats[int(entry)] = (int(fields[1]), int(fields[11]) + int(fields[12]))
        except (OSError, IndexError):
            pass
tree, grew = {root}, True
while grew:
    grew = False
    for pid, (parent, _) in stats.items():
        if parent in tree and pid not in tree:
            tree.add(pid)
            grew = True
tree &= stats.keys()
if not sampling:
    print(*sorted(tree))
    sys.exit()
counter, server = sys.argv[3], int(sys.argv[4])
with open(counter, "rb") as file:
    frames = struct.unpack("<Q", file.read(8))[0]
cpu = sum(stats[pid][1] for pid in tree) / tick
server_cpu = stats.get(server, (0, 0))[1] / tick
# Each voluntary switch of a thread is a sleep, and so a wake-up after it.
sleeps = 0
for pid in tree:
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/status") as status:
                for line in status:
                    if line.startswith("voluntary_ctxt_switches:"):
                        sleeps += int(line.split()[1])
    except OSError:
        pass
print(f"{time.monotonic():.6f} {frames} {cpu:.2f} {len(tree)} {server_cpu:.2f} {sleeps}")
EOF
}
tree_pids() { processes "$1"; }
sample() { processes sample "$@"; }

cc -O2 -shared -fPIC -o "$work/swap_counter.so" "$here/swap_counter.c" -ldl

# --- the display servers ------------------------------------------------------

start_headless_sway "$work" 1 "output HEADLESS-1 mode ${width}x$height position 0 0" >&2 ||
    { echo "display_frame_cost: headless sway did not come up" >&2; exit 1; }
if ! place_sway_outputs "HEADLESS-1 $width $height 0 0"; then
    echo "display_frame_cost: sway's outputs are $(sway_outputs | tr '\n' ';'), not one of ${width}x$height" >&2
    exit 1
fi

Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset 3>"$work/xvfb.display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
xvfb_answers() { [ -s "$work/xvfb.display" ]; }
if ! wait_until 30 xvfb_answers; then
    echo "display_frame_cost: Xvfb did not come up" >&2
    tail -20 "$work/xvfb.log" >&2
    exit 1
fi
x_display=:$(tr -d '\n' <"$work/xvfb.display")

echo "sway: $(sway_outputs | awk '{ printf "%s%s:%dx%d@%sHz", (NR > 1 ? " " : ""), $1, $2, $3, $6 }'); Xvfb $x_display: ${width}x${height}x24; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# --- one run ------------------------------------------------------------------

run_number=0
result=
# Sets result to "cpu_ms_a_frame frames_a_second cpu_ms_a_second server_ms_a_frame
# wake-ups_a_frame processes stored_rate".
measure() { # wayland|x11, delay
    local backend=$1 delay=$2 tag counter config first last status stored
    run_number=$((run_number + 1))
    tag=$run_number-$backend-$delay
    counter=$work/$tag.count
    config=$work/config/$tag
    mkdir -p "$config"
    head -c 8 /dev/zero >"$counter"
    local common=(XDG_CONFIG_HOME="$config" LD_PRELOAD="$work/swap_counter.so" NORWYN_SWAP_COUNT="$counter"
                  LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe)
    local server_pid
    if [ "$backend" = wayland ]; then
        server_pid=$sway_pid
        env "${common[@]}" XDG_RUNTIME_DIR="$sway_run" WAYLAND_DISPLAY="$sway_display" \
            "$program" --root --delay "$delay" >"$work/$tag.log" 2>&1 &
    else
        server_pid=$xvfb_pid
        env "${common[@]}" DISPLAY="$x_display" "$program" --root --delay "$delay" >"$work/$tag.log" 2>&1 &
    fi
    norwyn_pid=$!
    drawing() { ! running "$norwyn_pid" || [ "$(od -An -tu8 -N8 "$counter" | tr -d ' ')" -gt 0 ]; }
    if ! wait_until 60 drawing || ! running "$norwyn_pid"; then
        echo "display_frame_cost: the $backend run drew nothing" >&2
        sed 's/^/    norwyn: /' "$work/$tag.log" | tail -20 >&2
        exit 1
    fi
    sleep "$warmup"
    first=$(sample "$norwyn_pid" "$counter" "$server_pid")
    sleep "$seconds"
    last=$(sample "$norwyn_pid" "$counter" "$server_pid")
    kill -TERM "$norwyn_pid"
    status=0
    wait "$norwyn_pid" || status=$?
    for pid in $(tree_pids "$norwyn_pid"); do kill -KILL "$pid" 2>/dev/null || true; done
    norwyn_pid=
    stored=$(sed -n 's/^frames = //p' "$config/norwyn/settings" 2>/dev/null || true)
    result=$(awk -v a="$first" -v b="$last" -v stored="${stored:-none}" 'BEGIN {
        split(a, x, " "); split(b, y, " ")
        t = y[1] - x[1]; f = y[2] - x[2]; cpu = (y[3] - x[3]) * 1000; server = (y[5] - x[5]) * 1000
        if (f <= 0) { print "none"; exit }
        printf "%.3f %.2f %.1f %.3f %.1f %d %s\n", cpu / f, f / t, cpu / t, server / f, (y[6] - x[6]) / f, y[4], stored }')
    if [ "$result" = none ]; then
        echo "display_frame_cost: the $backend run showed no frame in its window" >&2
        exit 1
    fi
    printf '%-7s --delay %-6s: %s ms CPU a frame, %s frames/s, %s ms CPU/s, server %s ms a frame, %s wake-ups a frame, %s processes, stored rate %s, ended with %s\n' \
        "$backend" "$delay" $result "$status" >&2
}

declare -A values
for repetition in $(seq "$repetitions"); do
    for delay in "${delays[@]}"; do
        for backend in wayland x11; do
            measure "$backend" "$delay"
            values[$backend,$delay]+="$result"$'\n'
        done
    done
done

# --- the table ----------------------------------------------------------------

# The median and the range of one column of a run's results.
column() { # backend, delay, column (1-based), decimals
    printf '%s' "${values[$1,$2]}" | awk -v c="$3" -v d="$4" 'NF { v[++n] = $c }
        END {
            for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            m = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
            printf "%." d "f (%." d "f-%." d "f)", m, v[1], v[n] }'
}
median() { column "$@" | cut -d' ' -f1; }

echo "norwyn --root at ${width}x$height on llvmpipe, $seconds s windows after $warmup s, medians of $repetitions runs (min-max):"
printf '%-8s %-7s %-22s %-19s %-16s %-19s %s\n' backend delay "CPU ms a frame" "frames a second" "CPU ms a second" \
    "server ms a frame" "wake-ups a frame"
for delay in "${delays[@]}"; do
    for backend in wayland x11; do
        printf '%-8s %-7s %-22s %-19s %-16s %-19s %s\n' "$backend" "$delay" \
            "$(column "$backend" "$delay" 1 3)" "$(column "$backend" "$delay" 2 1)" \
            "$(column "$backend" "$delay" 3 0)" "$(column "$backend" "$delay" 4 3)" "$(column "$backend" "$delay" 5 1)"
    done
done
# The ratio of the medians, and the median (min-max) of each repetition's
# ratio: its Wayland and X11 runs come one after the other, under much the
# same load from the machine's other work.
for delay in "${delays[@]}"; do
    pairs=$(paste -d' ' <(printf '%s' "${values[wayland,$delay]}" | awk 'NF { print $1 }') \
                        <(printf '%s' "${values[x11,$delay]}" | awk 'NF { print $1 }') |
            awk '{ printf "%.6f\n", $1 / $2 }')
    paired=$(printf '%s\n' "$pairs" | awk '{ v[++n] = $1 }
        END {
            for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            printf "%.2f (%.2f-%.2f)", n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2, v[1], v[n] }')
    awk -v w="$(median wayland "$delay" 1 6)" -v x="$(median x11 "$delay" 1 6)" -v d="$delay" -v p="$paired" \
        'BEGIN { printf "Wayland/X11, CPU a frame at --delay %s: %.2f (of the medians), %s (run by run)\n", d, w / x, p }'
done
# What a second costs beyond its frames at the longest delay, each frame
# priced at the shortest delay's median cost.
shortest=${delays[0]}
longest=${delays[0]}
for delay in "${delays[@]}"; do
    [ "$delay" -gt 0 ] && { [ "$shortest" -eq 0 ] || [ "$delay" -lt "$shortest" ]; } && shortest=$delay
    [ "$delay" -gt "$longest" ] && longest=$delay
done
if [ "$longest" != "$shortest" ]; then
    for backend in wayland x11; do
        awk -v per_second="$(median "$backend" "$longest" 3 6)" -v rate="$(median "$backend" "$longest" 2 6)" \
            -v frame="$(median "$backend" "$shortest" 1 6)" -v b="$backend" -v d="$longest" -v s="$shortest" 'BEGIN {
            printf "%s between frames at --delay %s: %.1f ms CPU/s of %.1f, against %.1f frames/s x %.3f ms (the cost at --delay %s)\n",
                b, d, per_second - rate * frame, per_second, rate, frame, s }'
    done
fi

# --- two outputs against one --------------------------------------------------

# HEADLESS-2, made once beside HEADLESS-1 at the same size and left disabled
# but for the two-output runs.
make_second_output() {
    swaymsg -s "$sway_socket" create_output >/dev/null
    if ! place_sway_outputs "HEADLESS-1 $width $height 0 0" "HEADLESS-2 $width $height $width 0"; then
        echo "display_frame_cost: sway's outputs are $(sway_outputs | tr '\n' ';'), not two of ${width}x$height" >&2
        exit 1
    fi
    second_output disable
    wait_until 10 sway_outputs_are "HEADLESS-1 $width $height 0 0" || true
}
second_output() { # enable|disable
    swaymsg -s "$sway_socket" output HEADLESS-2 "$1" >/dev/null
}

# Each repetition measures --root on one output, then on two, one after the
# other under much the same load. Every frame of the two-output run is
# swapped on both outputs, so a frame costs its CPU over half its swaps.
# Sets output_ratios to each repetition's "one two ratio", a line each.
output_ratios=
two_outputs_against_one() {
    local delay=${delays[0]} one two repetition
    make_second_output
    for repetition in $(seq "$repetitions"); do
        measure wayland "$delay"
        one=${result%% *}
        second_output enable
        if ! wait_until 10 sway_outputs_are "HEADLESS-1 $width $height 0 0" "HEADLESS-2 $width $height $width 0"; then
            echo "display_frame_cost: sway's outputs are $(sway_outputs | tr '\n' ';'), not two of ${width}x$height" >&2
            exit 1
        fi
        measure wayland "$delay"
        two=$(awk -v cpu="${result%% *}" 'BEGIN { printf "%.3f", cpu * 2 }')
        second_output disable
        wait_until 10 sway_outputs_are "HEADLESS-1 $width $height 0 0" || true
        echo "two outputs: ${two} ms CPU a frame against ${one} ms on one" >&2
        output_ratios+=$(awk -v a="$one" -v b="$two" 'BEGIN { printf "%s %s %.6f", a, b, b / a }')$'\n'
    done
}

# The table's rows and the ratio, run by run: the median (min-max); the
# last line of the output.
report_outputs() {
    local summary
    summary=$(printf '%s' "$output_ratios" | awk 'NF { one[++n] = $1; two[n] = $2; r[n] = $3 }
        function sort(v, i, j, t) {
            for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        }
        function median(v) { return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }
        END {
            sort(one); sort(two); sort(r)
            printf "%.3f (%.3f-%.3f) %.3f (%.3f-%.3f) %.2f (%.2f-%.2f)\n", median(one), one[1], one[n],
                median(two), two[1], two[n], median(r), r[1], r[n] }')
    read -r one_median one_range two_median two_range ratio ratio_range <<<"$summary"
    echo "norwyn --root on Wayland at --delay ${delays[0]}, CPU ms a frame, medians of $repetitions runs (min-max):"
    printf '%-26s %s %s\n' "one ${width}x$height output" "$one_median" "$one_range"
    printf '%-26s %s %s\n' "two ${width}x$height outputs" "$two_median" "$two_range"
    echo "two outputs over one, run by run: $ratio $ratio_range"
    echo "two outputs / one output: $ratio"
}

echo
two_outputs_against_one
report_outputs
