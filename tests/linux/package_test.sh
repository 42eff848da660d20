#!/usr/bin/env bash
# The Debian package as CPack builds it from this build tree: it puts the
# program, its settings dialog, its desktop entry and its manual page where
# the desktop savers look, and the program it installs runs.
#
#   tests/linux/package_test.sh path/to/build/tree
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
package=$(ls "$work"/norwyn_*.deb)
listing=$(dpkg-deb -c "$package")
failures=0
for path in /usr/libexec/xscreensaver/norwyn /usr/share/xscreensaver/config/norwyn.xml \
    /usr/share/applications/screensavers/norwyn.desktop /usr/share/man/man6/norwyn.6x.gz; do
    if grep -q " \.$path\$" <<<"$listing"; then echo "ok: $path"; else echo "FAILED: no $path"; failures=$((failures + 1)); fi
done

dpkg-deb -x "$package" "$work/root"
if XDG_CONFIG_HOME="$work/config" "$work/root/usr/libexec/xscreensaver/norwyn" --print-settings | grep -qx 'efecto = 2'; then
    echo "ok: the installed norwyn runs"
else
    echo "FAILED: the installed norwyn does not run"
    failures=$((failures + 1))
fi
exit $failures
