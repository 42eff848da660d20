#!/usr/bin/env bash
# Looks at what norwyn.scr draws full-screen: the picture moves from one
# moment to the next, and each effect draws something different from the
# still background. Runs in the test prefix, on the X server of the test run.
set -euo pipefail
scr=$1
source "$(dirname "$0")/../../scripts/wine_under_x.sh"
use_test_wine_prefix
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
key=$settings_key

# Takes a screenshot into the file; true once it shows anything but black:
# the saver has swapped a frame onto the screen, which stays black until then.
shows_a_frame() { # file
    /usr/bin/import -window root "$1" || return 1
    awk -v h="$(/usr/bin/convert "$1" -format '%[fx:maxima]' info:)" 'BEGIN { exit !(h > 0) }'
}

differing_pixels() {
    /usr/bin/compare -metric AE "$1" "$2" null: 2>&1 | awk '{print int($1)}' || true
}

# The first shot is the first that shows a frame, the second a second later.
run_saver() { # picture name, then name=value settings
    local name=$1
    shift
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    for setting in "$@"; do
        wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null 2>&1
    done
    wine "$scr" /s &
    local pid=$!
    wait_for_saver_window 30 || echo "the saver's window did not appear"
    wait_until 30 shows_a_frame "$work/$name-1.png" || echo "the saver drew no frame within 30 seconds"
    sleep 1
    /usr/bin/import -window root "$work/$name-2.png"
    xdotool key Escape
    wait $pid
}


run_saver still efecto=0 sangrante=0
run_saver ripple efecto=2
run_saver chase efecto=0 efectoulmo=3

moved=$(differing_pixels "$work/ripple-1.png" "$work/ripple-2.png")
check "the rippling background changes within a second ($moved pixels)" '[ "$moved" -gt 10000 ]'
still=$(differing_pixels "$work/still-1.png" "$work/still-2.png")
check "with no effect, no movement and no drops the picture holds still ($still pixels)" '[ "$still" -lt 500 ]'
chase=$(differing_pixels "$work/chase-1.png" "$work/chase-2.png")
check "the chase moves the characters ($chase pixels)" '[ "$chase" -gt 2000 ]'
for effect in 1 3 4 5 6; do
    run_saver "effect-$effect" efecto=$effect sangrante=0
    apart=$(differing_pixels "$work/still-1.png" "$work/effect-$effect-1.png")
    check "effect $effect draws another picture than the still background ($apart pixels)" '[ "$apart" -gt 10000 ]'
done
wine reg delete "$key" /f >/dev/null 2>&1 || true
exit $failures
