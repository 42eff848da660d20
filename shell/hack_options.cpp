#include "shell/hack_options.h"

#include "settings/catalogs.h"
#include "settings/dialog_rules.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

const char* const usageHead =
    "usage: norwyn [options]\n"
    "Where it draws:\n"
    "  --window                 a window of its own (the default); q, Escape or Ctrl-C end it\n"
    "  --geometry WxH[+X+Y]     the size and place of that window, 1280x720 unless given\n"
    "  --root                   the window in $XSCREENSAVER_WINDOW, or the root window;\n"
    "                           on Wayland, full-screen on every output until input\n"
    "  --wallpaper              on Wayland, behind the desktop on every output\n"
    "  --window-id ID           the window ID (hex 0x... or decimal); wins over --root\n"
    "  --display NAME           the X display, $DISPLAY unless given (asks for X11)\n"
    "  --delay MICROSECONDS     pause between frames, 16666 unless given; 0 draws at once\n"
    "  --fps, --no-fps          show the frame rate in a corner, or not\n"
    "What it draws, for this run (the settings file keeps the rest):\n"
    "  --defaults               start from the defaults, not the settings file (the settings\n"
    "                           dialogs pass it, so that what they show is what draws)\n";

// Between the two: a line for each setting's option, from settingFields.

const char* const usageTail = "Settings:\n"
                              "  --save                   write this run's settings to the settings file and exit\n"
                              "  --print-settings         print the settings a run would use and exit\n"
                              "  --help                   print this and exit\n"
                              "Accepted and ignored: --install, --visual VISUAL, --mono.\n"
                              "Every option may also be written with one dash.\n";

// "  --drops 0..9999          the number of drops", the help in one column.
std::string settingUsageLines() {
    constexpr size_t helpColumn = 25;
    std::string lines;
    for (const SettingField& field : settingFields) {
        if (!field.option)
            continue;
        std::string spelling = std::string("--") + field.option;
        if (field.kind == SettingKind::Flag)
            spelling += std::string(", --no-") + field.option;
        else
            spelling.append(" ").append(optionValueText(field));
        spelling.resize(std::max(spelling.size() + 1, helpColumn), ' ');
        lines.append("  ").append(spelling).append(field.help).append("\n");
    }
    return lines;
}

const std::string usage = usageHead + settingUsageLines() + usageTail;

} // namespace

const char* const hackUsage = usage.c_str();

namespace {

// The setting an option names: --effect, --mask, or --no-mask, which clears a flag.
struct SettingOption {
    int index = -1; // in settingFields; -1 when the option names none
    bool cleared = false;
};

SettingOption findSettingOption(std::string_view name) {
    for (int index = 0; index < settingFieldCount; ++index) {
        const SettingField& field = settingFields[index];
        if (!field.option)
            continue;
        if (name == field.option)
            return {index, false};
        if (field.kind == SettingKind::Flag && name.starts_with("no-") && name.substr(3) == field.option)
            return {index, true};
    }
    return {};
}

// The option's name without its one or two dashes; empty for a word that is no option.
std::string_view optionName(std::string_view word) {
    if (word.size() < 2 || word[0] != '-')
        return {};
    word.remove_prefix(word[1] == '-' ? 2 : 1);
    return word;
}

// A decimal number of digits only; one too large for 32 bits counts as the
// largest, which every clamp then brings down.
bool parseEntry(const char* text, uint32_t& number) {
    if (!text || !*text)
        return false;
    uint64_t value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > std::numeric_limits<uint32_t>::max())
            value = std::numeric_limits<uint32_t>::max() + uint64_t{1};
    }
    number = value > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                          : static_cast<uint32_t>(value);
    return true;
}

bool parseInt32(const char* text, int32_t& number) {
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, number);
    return error == std::errc() && stop == end && stop != text;
}

// The four bytes the option gives its setting, taking the value from value
// for all but a flag; false, with the reason in error, when it gives none.
// A number is clamped as the dialog's field clamps it, and a choice must be
// one the catalog offers, as in the dialog's list.
bool settingOptionBits(const SettingField& field, bool cleared, const char* value, uint32_t& bits, std::string& error) {
    const std::string spelling = std::string("--") + field.option;
    uint32_t number = 0;
    switch (field.kind) {
    case SettingKind::Flag:
        bits = cleared ? 0 : 1;
        return true;
    case SettingKind::Choice:
        if (!parseEntry(value, number) || number > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()) ||
            !catalogOffers(*field.catalog, static_cast<int32_t>(number))) {
            error = spelling + " needs one of the numbers it lists";
            return false;
        }
        bits = number;
        return true;
    case SettingKind::Number:
        if (!parseEntry(value, number)) {
            error = spelling + " needs a number";
            return false;
        }
        bits = static_cast<uint32_t>(field.fromEntry(number));
        return true;
    case SettingKind::DropSize:
        if (!parseEntry(value, number)) {
            error = spelling + " needs a number of thousandths";
            return false;
        }
        bits = std::bit_cast<uint32_t>(dropSizeFromEntry(number));
        return true;
    case SettingKind::FrameRate:
        break;
    }
    error = spelling + " sets nothing";
    return false;
}

} // namespace

bool parseWindowId(const char* text, uint64_t& id) {
    if (!text || !*text)
        return false;
    const char* end = text + std::strlen(text);
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    const auto [stop, error] = std::from_chars(digits, end, id, hex ? 16 : 10);
    return error == std::errc() && stop == end && stop != digits;
}

bool parseGeometry(const char* text, Geometry& geometry) {
    if (!text)
        return false;
    const std::string_view whole = text;
    const size_t cross = whole.find_first_of("xX");
    const size_t place = whole.find_first_of("+-");
    if (cross == std::string_view::npos || (place != std::string_view::npos && place < cross))
        return false;
    Geometry result = geometry;
    const std::string size(whole.substr(0, place));
    const std::string width = size.substr(0, cross), height = size.substr(cross + 1);
    if (!parseInt32(width.c_str(), result.width) || !parseInt32(height.c_str(), result.height) || result.width <= 0 ||
        result.height <= 0 || width[0] == '+' || height[0] == '+')
        return false;
    if (place != std::string_view::npos) {
        const std::string_view position = whole.substr(place);
        const size_t second = position.find_first_of("+-", 1);
        if (second == std::string_view::npos)
            return false;
        // from_chars takes a minus but no plus.
        const auto coordinate = [](std::string_view part, int32_t& value) {
            const std::string digits(part.substr(part[0] == '+' ? 1 : 0));
            return !digits.empty() && digits[0] != '+' && parseInt32(digits.c_str(), value);
        };
        if (!coordinate(position.substr(0, second), result.x) || !coordinate(position.substr(second), result.y))
            return false;
        result.hasPosition = true;
    }
    geometry = result;
    return true;
}

bool parseHackOptions(int argc, const char* const* argv, HackOptions& options, std::string& error) {
    DrawTarget target = DrawTarget::OwnWindow;
    bool hasWindowId = false;
    for (int index = 1; index < argc; ++index) {
        const std::string_view name = optionName(argv[index]);
        const char* value = index + 1 < argc ? argv[index + 1] : nullptr;
        // Takes the next word as the option's value.
        const auto takeValue = [&]() {
            ++index;
            return value;
        };
        const auto fail = [&](const std::string& reason) {
            error = reason;
            return false;
        };
        uint32_t number = 0;

        if (name == "root") {
            target = DrawTarget::Root;
        } else if (name == "wallpaper") {
            target = DrawTarget::Wallpaper;
        } else if (name == "window") {
            target = DrawTarget::OwnWindow;
        } else if (name == "window-id") {
            if (!parseWindowId(takeValue(), options.windowId))
                return fail("--window-id needs a window id");
            hasWindowId = true;
        } else if (name == "geometry") {
            if (!parseGeometry(takeValue(), options.geometry))
                return fail("--geometry needs WIDTHxHEIGHT, optionally followed by +X+Y");
        } else if (name == "display") {
            if (!value)
                return fail("--display needs a display name");
            options.display = takeValue();
        } else if (name == "visual") {
            if (!takeValue())
                return fail("--visual needs a visual");
        } else if (name == "install" || name == "mono") {
        } else if (name == "delay") {
            if (!parseEntry(takeValue(), number))
                return fail("--delay needs a number of microseconds");
            options.delayMicroseconds = number;
        } else if (name == "fps" || name == "no-fps") {
            options.showFps = name == "fps";
        } else if (name == "save") {
            options.save = true;
        } else if (name == "defaults") {
            options.fromDefaults = true;
        } else if (name == "print-settings") {
            options.printSettings = true;
        } else if (name == "help" || name == "h") {
            options.help = true;
        } else if (const SettingOption setting = findSettingOption(name); setting.index >= 0) {
            const SettingField& field = settingFields[setting.index];
            uint32_t bits = 0;
            const char* given = field.kind == SettingKind::Flag ? nullptr : takeValue();
            if (!settingOptionBits(field, setting.cleared, given, bits, error))
                return false;
            options.overrides.bits[setting.index] = bits;
        } else {
            return fail("unknown option \"" + std::string(argv[index]) + "\"");
        }
    }
    options.target = hasWindowId ? DrawTarget::GivenWindow : target;
    return true;
}

void applyOverrides(const SettingOverrides& overrides, Settings& record) {
    for (int index = 0; index < settingFieldCount; ++index)
        if (overrides.bits[index])
            setSettingBits(record, settingFields[index], *overrides.bits[index]);
}

void loadRunSettings(const HackOptions& options) {
    loadSettings();
    if (options.fromDefaults) {
        const Settings defaults;
        for (const SettingField& field : settingFields)
            if (field.option)
                setSettingBits(settings, field, settingBits(defaults, field));
    }
    applyOverrides(options.overrides, settings);
}
