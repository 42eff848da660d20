#!/usr/bin/env bash
# scripts/checks.sh as the test scripts use it: a command that fails outside a
# check ends the script with a line that names the script, the line and the
# command; a failed check is counted, not fatal; a cleanup that runs on with
# set +e fails quietly. Each case is a small script run on its own.
#
#   tests/linux/checks_test.sh
set -euo pipefail
checks=$(realpath "$(dirname "$0")/../../scripts/checks.sh")
source "$checks"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A helper whose third line fails, for a failure inside a sourced file.
printf '%s\n' '# a helper' 'helper() {' '    false' '}' >"$work/helper.sh"

# Writes the case's script, whose body starts on line 5, runs it, and checks
# its exit status and its output (stdout and stderr) against a grep -E
# pattern, which with a leading ! the output must not match.
run_case() { # name, status, pattern, lines of the body...
    local name=$1 expected=$2 pattern=$3 output status=0 holds
    shift 3
    printf '%s\n' '#!/usr/bin/env bash' 'set -euo pipefail' "source $checks" '# the case' "$@" >"$work/$name.sh"
    output=$(bash "$work/$name.sh" 2>&1) || status=$?
    if [ "${pattern:0:1}" = '!' ]; then
        grep -qE -- "${pattern:1}" <<<"$output" && holds=no || holds=yes
    else
        grep -qE -- "$pattern" <<<"$output" && holds=yes || holds=no
    fi
    check "$name ends with $expected ($status) and its output matches /$pattern/ ($(tr '\n' '|' <<<"$output"))" \
        '[ "$status" = "$expected" ] && [ $holds = yes ]'
}

run_case top 1 '^FAILED: top\.sh line 6: `false` ended with status 1$' 'echo one' 'false' 'echo two'
run_case stops 1 '!^two$' 'echo one' 'false' 'echo two'
run_case substitution 2 '^FAILED: substitution\.sh line 5: `left=\$\(ls /nonexistent \| head -5\)` ended with status 2$' \
    'left=$(ls /nonexistent | head -5)' 'echo "left $left"'
run_case pipeline 1 '^FAILED: pipeline\.sh line 5: `grep -q two` ended with status 1$' 'echo one | grep -q two'
run_case sourced 1 '^FAILED: helper\.sh line 3: `false` ended with status 1$' "source $work/helper.sh" 'helper'
run_case checked 1 '^FAILED: a failing check$' 'check "a failing check" false' 'exit $failures'
run_case checked_only 1 '!line' 'check "a failing check" false' 'exit $failures'
run_case guarded 0 '!FAILED' 'false || true' 'if false; then :; fi' 'x=$(false) || true' 'wait_until 1 false || true'
run_case cleanup 0 '!FAILED' 'cleanup() { set +e; false; kill -0 999999999 2>/dev/null; }' 'trap cleanup EXIT' 'echo done'
exit $failures
