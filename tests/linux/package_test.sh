#!/usr/bin/env bash
# The Debian package as CPack builds it from this build tree: it puts the
# program, its settings dialog, its desktop entry and its manual page where
# the desktop savers look, links the program onto the PATH, carries the
# copyright file and a changelog of its own version, lintian finds nothing
# to warn about, and the program it installs runs by either path.
#
#   tests/linux/package_test.sh path/to/build/tree
set -euo pipefail
source "$(dirname "$0")/../../scripts/checks.sh"
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
package=$(ls "$work"/norwyn_*.deb)
listing=$(dpkg-deb -c "$package")
for path in /usr/libexec/xscreensaver/norwyn /usr/share/xscreensaver/config/norwyn.xml \
    /usr/share/applications/screensavers/norwyn.desktop /usr/share/man/man6/norwyn.6x.gz \
    /usr/share/doc/norwyn/copyright /usr/share/doc/norwyn/changelog.Debian.gz; do
    check "$path" 'grep -q " \.$path\$" <<<"$listing"'
done

link=$(grep ' \./usr/bin/norwyn -> ' <<<"$listing" | sed 's/.* -> //') || true
check "/usr/bin/norwyn links to ../libexec/xscreensaver/norwyn ('$link')" \
    '[ "$link" = ../libexec/xscreensaver/norwyn ]'

dpkg-deb -x "$package" "$work/root"
for program in usr/libexec/xscreensaver/norwyn usr/bin/norwyn; do
    check "the installed /$program runs" \
        'XDG_CONFIG_HOME="$work/config" "$work/root/$program" --print-settings | grep -qx "efecto = 2"'
done

version=$(dpkg-deb -f "$package" Version)
changelog_version=$(zcat "$work/root/usr/share/doc/norwyn/changelog.Debian.gz" | dpkg-parsechangelog -l - -S Version) || true
check "the changelog's newest entry is the package's version ($changelog_version, $version)" \
    '[ -n "$version" ] && [ "$changelog_version" = "$version" ]'

if lintian_output=$(lintian --fail-on error,warning "$package" 2>&1); then
    echo "ok: lintian finds no error and no warning"
else
    echo "FAILED: lintian on $(basename "$package"):"
    echo "$lintian_output"
    failures=$((failures + 1))
fi
exit $failures
