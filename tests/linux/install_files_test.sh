#!/usr/bin/env bash
# The Linux install files against their formats and against the program:
# the settings dialog for xscreensaver-settings and Xfce (norwyn.xml), the
# desktop entry and the manual page. Each control of the dialog must pass
# what the program accepts and set the setting it is named after, and pass
# nothing while it shows the program's own default.
#
#   tests/linux/install_files_test.sh path/to/norwyn
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/checks.sh
program=$(realpath "$1")

xml=resources/linux/norwyn.xml
desktop=resources/linux/norwyn.desktop
man_page=resources/linux/norwyn.6x
installed_program=/usr/libexec/xscreensaver/norwyn

failures=0
fail() {
    echo "check: $*" >&2
    failures=$((failures + 1))
}

xpath() { xmllint --xpath "$1" "$xml"; }

# The program just built, run with a settings directory of its own that
# starts empty, and no display: printing the settings must need neither a
# file nor an X server. $defaults holds what it prints with no option.
check_config=
defaults=
run_program() {
    env -u DISPLAY -u XSCREENSAVER_WINDOW XDG_CONFIG_HOME="$check_config" HOME="$check_config" \
        timeout 10 "$program" "$@"
}

# The value of one setting in a --print-settings output.
setting_of() { sed -n "s/^$2 = //p" <<<"$1"; }
# The settings other than one, to see that an option touched nothing else.
other_settings() { grep -v "^$2 = " <<<"$1" || true; }

# Runs --print-settings with the given arguments (a single string, split as a
# daemon splits the XML's arguments) and leaves its output in $printed.
printed=
print_with() {
    local -a words
    read -r -a words <<<"$1"
    if ! printed=$(run_program --print-settings "${words[@]}"); then
        fail "norwyn rejects '$1' from $2"
        return 1
    fi
}

# An option that should set one setting to a value and leave every other
# setting at its default.
expect_setting() {
    local args=$1 name=$2 expected=$3 where=$4
    print_with "$args" "$where" || return 0
    local got
    got=$(setting_of "$printed" "$name")
    [ "$got" = "$expected" ] || fail "'$args' from $where gives $name = '$got', not $expected"
    [ "$(other_settings "$printed" "$name")" = "$(other_settings "$defaults" "$name")" ] ||
        fail "'$args' from $where changes settings other than $name"
}

# An option that should change no setting at all.
expect_no_setting() {
    local args=$1 where=$2
    print_with "$args" "$where" || return 0
    [ "$printed" = "$defaults" ] || fail "'$args' from $where changes the settings"
}

check_formats() {
    xmllint --noout "$xml" || fail "$xml is not well-formed"
    desktop-file-validate --no-hints "$desktop" || fail "$desktop is not a valid desktop entry"
    local warnings
    warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$man_page" 2>&1)
    [ -z "$warnings" ] || fail "groff warns about $man_page: $warnings"
}

# The settings dialog passes nothing for a choice left at norwyn's default,
# and what it passes sets the setting its control is named after.
check_dialog() {
    local i j count options name arg missing low high default value

    count=$(xpath 'count(//command)')
    for ((i = 1; i <= count; i++)); do
        expect_no_setting "$(xpath "string((//command)[$i]/@arg)")" "the XML's <command>"
    done

    count=$(xpath 'count(//select)')
    for ((i = 1; i <= count; i++)); do
        name=$(xpath "string((//select)[$i]/@id)")
        [ -n "$(setting_of "$defaults" "$name")" ] || { fail "<select id=\"$name\"> names no setting"; continue; }
        options=$(xpath "count((//select)[$i]/option)")
        missing=0
        for ((j = 1; j <= options; j++)); do
            arg=$(xpath "string((//select)[$i]/option[$j]/@arg-set)")
            if [ -z "$arg" ]; then
                missing=$((missing + 1))
                continue
            fi
            value=${arg##* }
            [ "$value" != "$(setting_of "$defaults" "$name")" ] ||
                fail "'$arg' in <select id=\"$name\"> passes the default, which should pass nothing"
            expect_setting "$arg" "$name" "$value" "<select id=\"$name\">"
        done
        [ "$missing" -eq 1 ] || fail "<select id=\"$name\"> has $missing options without arg-set, not 1"
    done

    count=$(xpath 'count(//boolean)')
    for ((i = 1; i <= count; i++)); do
        name=$(xpath "string((//boolean)[$i]/@id)")
        local set unset
        set=$(xpath "string((//boolean)[$i]/@arg-set)")
        unset=$(xpath "string((//boolean)[$i]/@arg-unset)")
        if [ -n "$set" ] && [ -n "$unset" ] || [ -z "$set$unset" ]; then
            fail "<boolean id=\"$name\"> needs exactly one of arg-set and arg-unset"
            continue
        fi
        if [ -z "$(setting_of "$defaults" "$name")" ]; then
            expect_no_setting "$set$unset" "<boolean id=\"$name\">"
        elif [ -n "$set" ]; then
            [ "$(setting_of "$defaults" "$name")" = 0 ] ||
                fail "<boolean id=\"$name\"> is unchecked by default but $name defaults to 1"
            expect_setting "$set" "$name" 1 "<boolean id=\"$name\">"
        else
            [ "$(setting_of "$defaults" "$name")" = 1 ] ||
                fail "<boolean id=\"$name\"> is checked by default but $name defaults to 0"
            expect_setting "$unset" "$name" 0 "<boolean id=\"$name\">"
        fi
    done

    count=$(xpath 'count(//number)')
    for ((i = 1; i <= count; i++)); do
        name=$(xpath "string((//number)[$i]/@id)")
        arg=$(xpath "string((//number)[$i]/@arg)")
        low=$(xpath "string((//number)[$i]/@low)")
        high=$(xpath "string((//number)[$i]/@high)")
        default=$(xpath "string((//number)[$i]/@default)")
        if [ -z "$(setting_of "$defaults" "$name")" ]; then
            for value in "$low" "$default" "$high"; do
                expect_no_setting "${arg/\%/$value}" "<number id=\"$name\">"
            done
            continue
        fi
        # The default passes nothing under a daemon, so passing it must
        # change nothing either; the ends of the range must be accepted.
        expect_no_setting "${arg/\%/$default}" "<number id=\"$name\">"
        for value in "$low" "$high"; do
            print_with "${arg/\%/$value}" "<number id=\"$name\">" || continue
            [ "$(other_settings "$printed" "$name")" = "$(other_settings "$defaults" "$name")" ] ||
                fail "'${arg/\%/$value}' changes settings other than $name"
        done
    done
}

# The desktop entry starts the program where the package installs it, with
# arguments it accepts.
check_desktop_entry() {
    local exec_line try_exec
    exec_line=$(sed -n 's/^Exec=//p' "$desktop")
    try_exec=$(sed -n 's/^TryExec=//p' "$desktop")
    [ "${exec_line%% *}" = "$installed_program" ] || fail "$desktop runs '${exec_line%% *}', not $installed_program"
    [ "$try_exec" = "$installed_program" ] || fail "$desktop tries '$try_exec', not $installed_program"
    expect_no_setting "${exec_line#* }" "$desktop"
}

# Every option the program's usage and the dialog name is described in the
# manual's OPTIONS.
check_manual() {
    local usage options option text
    usage=$(run_program --help) || fail "norwyn --help fails"
    options=$( { grep -oE -- '--[a-z][a-z-]*' <<<"$usage"; xpath '//@*[starts-with(name(), "arg")]' |
        grep -oE -- '--[a-z][a-z-]*'; } | sort -u)
    [ -n "$options" ] || fail "norwyn --help names no option"
    text=$(sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$man_page" | sed -e 's/\\-/-/g' -e 's/\\%//g')
    for option in $options; do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "$man_page's OPTIONS do not describe $option"
    done
}

check_linux_files() {
    check_config=$(mktemp -d)
    check_formats
    if ! defaults=$(run_program --print-settings); then
        fail "norwyn --print-settings fails"
    else
        check_dialog
        check_desktop_entry
        check_manual
        [ -z "$(ls -A "$check_config")" ] || fail "norwyn wrote into its settings directory while only printing"
    fi
    rm -rf "$check_config"
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed." >&2
        exit 1
    fi
    echo "The install files agree with their formats and with the program."
}

check_linux_files
