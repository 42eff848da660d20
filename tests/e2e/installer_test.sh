#!/usr/bin/env bash
# norwyn-<version>-setup.exe run silently (/S, the defaults) in a fresh Wine
# prefix of its own ($WINEPREFIX), on the X server of the test run. It must
# put norwyn.scr in the 64-bit System32, where it runs full-screen, register
# its uninstaller, and make Norwyn the current screen saver, remembering the
# one chosen before, across a second install too. Its uninstaller, run
# silently, must leave nothing of Norwyn behind but the saver's settings, and
# put the earlier saver back only while Norwyn is still the one chosen.
#
#   tests/e2e/installer_test.sh path/to/norwyn-<version>-setup.exe <version>
set -euo pipefail
setup=$1
version=$2
source "$(dirname "$0")/../../scripts/wine_under_x.sh"
use_wine_prefix installer-prefix

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Norwyn'
desktop_key='HKCU\Control Panel\Desktop'
system32=$WINEPREFIX/drive_c/windows/system32
installed_scr='C:\windows\system32\norwyn.scr'
other_saver='C:\windows\system32\otro.scr'

saver_pid=""
cleanup() {
    set +e
    [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
    wineserver -k 2>/dev/null
}
trap cleanup EXIT


# The data of one value in the 64-bit registry view, or nothing when the
# value is missing. `reg query` prints "    name    type    data" lines.
value_of() { # key, value name
    wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r' |
        awk -F'    ' -v name="$2" '$2 == name { print $4 }'
}
has_value() { wine reg query "$1" /v "$2" /reg:64 >/dev/null 2>&1; }
has_key() { wine reg query "$1" /reg:64 >/dev/null 2>&1; }
same_path() { [ "${1,,}" = "${2,,}" ]; } # Windows paths ignore case

install() {
    wine "$setup" /S || echo "the installer ended with $?"
}

# The uninstaller copies itself to the temporary folder, starts that copy
# and returns; the copy's work is done once every process of the prefix has
# ended. The copy itself is deleted at the next boot, which Wine makes in the
# background of the next program started in the prefix: one more session,
# waited out, so that no check walks the files while that deletion runs.
uninstall() {
    local uninstaller
    uninstaller=$(value_of "$uninstall_key" UninstallString | tr -d '"')
    if [ -z "$uninstaller" ]; then
        echo "no UninstallString to run"
        return
    fi
    wine "$uninstaller" /S || echo "the uninstaller ended with $?"
    wineserver -w
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
    wineserver -w
}

rm -rf "$WINEPREFIX"
wine_prefix_ready

# A saver the user had chosen, and settings of Norwyn from an earlier copy.
wine reg add "$desktop_key" /v SCRNSAVE.EXE /d "$other_saver" /f >/dev/null 2>&1
wine reg add "$settings_key" /v efecto /t REG_DWORD /d 4 /f >/dev/null 2>&1

install
check "norwyn.scr is in the 64-bit System32" '[ -f "$system32/norwyn.scr" ]'
check "norwyn.scr is not in the 32-bit SysWOW64" '[ ! -e "$WINEPREFIX/drive_c/windows/syswow64/norwyn.scr" ]'
check "the uninstall entry is named Norwyn" '[ "$(value_of "$uninstall_key" DisplayName)" = Norwyn ]'
check "the uninstall entry has version $version" '[ "$(value_of "$uninstall_key" DisplayVersion)" = "$version" ]'
check "the uninstall entry's publisher is Halvoren" '[ "$(value_of "$uninstall_key" Publisher)" = Halvoren ]'
check "the uninstall entry shows the icon of the installed norwyn.scr" \
    'same_path "$(value_of "$uninstall_key" DisplayIcon)" "$installed_scr,0"'
uninstaller=$(value_of "$uninstall_key" UninstallString | tr -d '"')
check "UninstallString names a program that exists ($uninstaller)" \
    '[ -n "$uninstaller" ] && [ -f "$(winepath -u "$uninstaller" 2>/dev/null)" ]'
scr_kb=$((($(stat -c %s "$system32/norwyn.scr") + 1023) / 1024))
size=$(value_of "$uninstall_key" EstimatedSize)
check "EstimatedSize ($size KB) counts at least norwyn.scr ($scr_kb KB)" \
    '[ -n "$size" ] && [ $((size)) -ge "$scr_kb" ] && [ $((size)) -lt $((scr_kb * 4)) ]'
check "the uninstall entry offers no change and no repair" \
    '[ "$(value_of "$uninstall_key" NoModify)" = 0x1 ] && [ "$(value_of "$uninstall_key" NoRepair)" = 0x1 ]'
check "Norwyn is the current screen saver" 'same_path "$(value_of "$desktop_key" SCRNSAVE.EXE)" "$installed_scr"'

# A second install over the first must still remember the saver from
# before the first, not Norwyn.
install
check "a second install leaves Norwyn the current screen saver" \
    'same_path "$(value_of "$desktop_key" SCRNSAVE.EXE)" "$installed_scr"'

# The installed saver, full-screen as Windows starts it, ends on a key.
wine "$system32/norwyn.scr" /s &
saver_pid=$!
check "the installed norwyn.scr shows its full-screen window" 'wait_for_saver_window 30'
xdotool key Escape
check "a key ends the installed norwyn.scr" 'wait_until 10 eval "! kill -0 $saver_pid"'
wait "$saver_pid" 2>/dev/null || true
saver_pid=""
wineserver -w

uninstall
check "the uninstaller puts back the screen saver chosen before" \
    '[ "$(value_of "$desktop_key" SCRNSAVE.EXE)" = "$other_saver" ]'
check "norwyn.scr is gone from System32" '[ ! -e "$system32/norwyn.scr" ]'
check "the uninstall entry is gone" '! has_key "$uninstall_key"'
left=$(find "$WINEPREFIX/drive_c" -ipath '*norwyn*' 2>&1 | head -5) || true
check "no file or folder of Norwyn is left ($left)" '[ -z "$left" ]'
check "the saver's settings are left alone" '[ "$(value_of "$settings_key" efecto)" = 0x4 ]'
# The prefix's registry, as the wineserver saved it on its way out.
left=$(grep -il norwyn "$WINEPREFIX"/*.reg || true)
check "the registry holds nothing of Norwyn ($left)" '[ -z "$left" ]'

# With no saver chosen before, the uninstaller removes the value.
wine reg delete "$desktop_key" /v SCRNSAVE.EXE /f >/dev/null 2>&1
install
check "with no saver chosen before, Norwyn becomes the current one" \
    'same_path "$(value_of "$desktop_key" SCRNSAVE.EXE)" "$installed_scr"'
uninstall
check "the uninstaller removes SCRNSAVE.EXE when there was none before" '! has_value "$desktop_key" SCRNSAVE.EXE'

# A saver the user has chosen since the install stays chosen.
install
wine reg add "$desktop_key" /v SCRNSAVE.EXE /d 'C:\windows\system32\elegido.scr' /f >/dev/null 2>&1
uninstall
check "a saver chosen after the install stays the current one" \
    '[ "$(value_of "$desktop_key" SCRNSAVE.EXE)" = "C:\\windows\\system32\\elegido.scr" ]'
check "that uninstall removes norwyn.scr as well" '[ ! -e "$system32/norwyn.scr" ]'

exit $failures
