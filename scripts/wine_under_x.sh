# Sourced by every script that runs norwyn.scr under Wine on an X server:
# scripts/run, scripts/soak, the tools and the end-to-end scripts.

source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"

# The settings key, as the program declares it, for `wine reg`.
settings_key="HKCU\\$(sed -n 's/.*settingsKeyPath = "\(.*\)";/\1/p' \
    "$(dirname "${BASH_SOURCE[0]}")/../settings/registry_store_win32.h" | sed 's/\\\\/\\/g')"

# Makes $WINEPREFIX if it is missing, then lets its wineserver end, before
# any program starts under X: a wineserver started without a display (by
# wineboot, or `wine reg` outside X) lingers a few seconds, and a program
# started under X in that time joins it and draws on Wine's null driver, a
# black screen.
wine_prefix_ready() {
    if [ ! -d "$WINEPREFIX" ]; then
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >/dev/null 2>&1 || true
    fi
    wineserver -w 2>/dev/null || true
}

# True while a window of norwyn.scr is mapped on $DISPLAY.
norwyn_window_mapped() {
    xdotool search --onlyvisible --class '^norwyn\.scr$'
}

# True while the saver's own window, of Win32 class "OpenGL", is mapped on
# $DISPLAY. Wine names every X window of a program after the program
# (WM_CLASS "norwyn.scr"), never after its Win32 class, so the class cannot
# be asked of X: among norwyn.scr's windows the OpenGL one is the one that
# carries the saver's title.
saver_window_mapped() {
    local titled norwyns
    titled=$(xdotool search --onlyvisible --name '^Fan Tarvek Screensaver V0\.1$' 2>/dev/null) || return 1
    norwyns=$(norwyn_window_mapped 2>/dev/null) || return 1
    grep -qxF "$titled" <<<"$norwyns"
}

# Waits up to $1 seconds (30 by default) for the saver's own window.
wait_for_saver_window() {
    wait_until "${1:-30}" saver_window_mapped
}
