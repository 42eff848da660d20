#pragma once
// The command line of the Linux program, as XScreenSaver starts its hacks:
// every option in both spellings, -x and --x, a number as the next word.
// Options that name a setting override the settings file for one run, with
// the clamps the configuration dialogs apply; --defaults, which the settings
// dialogs pass, puts the defaults under them instead of the file.

#include "gl/window_geometry.h"
#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <string>

enum class DrawTarget {
    OwnWindow,   // --window, the default: a top-level window of its own
    GivenWindow, // --window-id: a window someone else made
    Root,        // --root: $XSCREENSAVER_WINDOW, or the root window; on Wayland every output
    Wallpaper,   // --wallpaper: Wayland only, behind the desktop on every output
};

// What the options set for this run, one slot for each entry of
// settingFields holding the value's four bytes as the store keeps them; an
// empty slot leaves the file's value.
struct SettingOverrides {
    std::optional<uint32_t> bits[settingFieldCount];
};

constexpr int64_t defaultDelayMicroseconds = 16666; // about 60 frames a second

struct HackOptions {
    DrawTarget target = DrawTarget::OwnWindow;
    uint64_t windowId = 0; // the given window
    Geometry geometry;     // the own window's
    std::string display;   // empty: $DISPLAY
    int64_t delayMicroseconds = defaultDelayMicroseconds;
    bool showFps = false;
    bool save = false;
    bool printSettings = false;
    bool help = false;
    bool fromDefaults = false; // --defaults: what no option sets is its default, not the file's
    SettingOverrides overrides;
};

// Reads argv[1] on. False, with the reason in error, for an unknown option,
// a missing or malformed number, or a choice no catalog offers.
bool parseHackOptions(int argc, const char* const* argv, HackOptions& options, std::string& error);

void applyOverrides(const SettingOverrides& overrides, Settings& record);

// Loads the settings a run draws with into settings: the store's, the
// options over them. With --defaults every setting an option could set starts
// from its default instead, so that a dialog that passes nothing for its
// default gets it; the store still gives what no option sets ("frames").
void loadRunSettings(const HackOptions& options);

// A window id as X tools write it: hexadecimal after 0x, or decimal.
bool parseWindowId(const char* text, uint64_t& id);
// WxH, optionally followed by +X+Y (either sign).
bool parseGeometry(const char* text, Geometry& geometry);

extern const char* const hackUsage;
