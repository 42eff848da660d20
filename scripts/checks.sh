# Sourced by the test scripts, the benchmarks and the scripts that drive
# norwyn: each check is said as it is made and counted, and a script waits
# for a condition to hold, never for a fixed time.

failures=0

# Says whether the condition (evaluated) holds, and counts it if not.
check() { # description, condition
    if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# A command that fails outside a check ends a script under errexit; this says
# which one and where, so that a script never ends without a word. Without
# errexit (a cleanup that runs on with set +e) a failure is let pass quietly.
set -o errtrace
failed_command() { # status, line
    [[ $- == *e* ]] || return 0
    echo "FAILED: ${BASH_SOURCE[1]##*/} line $2: \`$BASH_COMMAND\` ended with status $1" >&2
}
trap 'failed_command $? $LINENO' ERR

now_ms() { date +%s%3N; }

# Runs the command, its output dropped, until it succeeds; false once the
# seconds are up. The bound is a deadline, not a count of tries: on a loaded
# machine each try takes longer.
wait_until() { # seconds, command...
    local deadline=$(($(now_ms) + $1 * 1000))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# A process that has not ended: present and not a zombie (ended, not yet
# reaped by its parent).
running() { # pid
    awk '$1 == "State:" && $2 != "Z" { found = 1 } END { exit !found }' "/proc/$1/status" 2>/dev/null
}
