#include "shell/hack_options.h"

#include "settings/catalogs.h"
#include "settings/dialog_rules.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>

const char* const hackUsage =
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
    "  --background 0|2|3|4     the picture behind\n"
    "  --effect 0..6            how the background moves\n"
    "  --movement 0..3          how the character moves\n"
    "  --mask, --no-mask        the character through its mask\n"
    "  --shading, --no-shading  the warped background shaded with the shadow colour\n"
    "  --shadow-red N, --shadow-green N, --shadow-blue N   the shadow colour, 0..255\n"
    "  --blood, --no-blood      blood drops from the character's head\n"
    "  --drops N                the number of drops, 0..9999\n"
    "  --drop-width N, --drop-height N   the size of a drop in thousandths, 0..100\n"
    "Settings:\n"
    "  --save                   write this run's settings to the settings file and exit\n"
    "  --print-settings         print the settings a run would use and exit\n"
    "  --help                   print this and exit\n"
    "Accepted and ignored: --install, --visual VISUAL, --mono.\n"
    "Every option may also be written with one dash.\n";

namespace {

using IntOverride = std::optional<int32_t> SettingOverrides::*;
using FloatOverride = std::optional<float> SettingOverrides::*;

struct FlagOption {
    const char* name;
    IntOverride field;
    int32_t value;
};

// clang-format off
const FlagOption flagOptions[] = {
    {"mask", &SettingOverrides::mascara, 1},   {"no-mask", &SettingOverrides::mascara, 0},
    {"shading", &SettingOverrides::sombra, 1}, {"no-shading", &SettingOverrides::sombra, 0},
    {"blood", &SettingOverrides::sangrante, 1}, {"no-blood", &SettingOverrides::sangrante, 0},
};
// clang-format on

// A choice must be one the catalog offers, as in the dialog's list.
struct ChoiceOption {
    const char* name;
    IntOverride field;
    const Catalog* catalog;
};

const ChoiceOption choiceOptions[] = {
    {"background", &SettingOverrides::imagenfondo, &backgroundCatalog},
    {"effect", &SettingOverrides::efecto, &effectCatalog},
    {"movement", &SettingOverrides::efectoulmo, &movementCatalog},
};

// A number is clamped as the dialog's field clamps it.
struct NumberOption {
    const char* name;
    IntOverride field;
    int32_t (*fromEntry)(uint32_t);
};

const NumberOption numberOptions[] = {
    {"shadow-red", &SettingOverrides::rojosombra, colourFromEntry},
    {"shadow-green", &SettingOverrides::verdesombra, colourFromEntry},
    {"shadow-blue", &SettingOverrides::azulsombra, colourFromEntry},
    {"drops", &SettingOverrides::numeroparticulas, dropCountFromEntry},
};

struct SizeOption {
    const char* name;
    FloatOverride field;
};

const SizeOption sizeOptions[] = {
    {"drop-width", &SettingOverrides::tamaxparticulas},
    {"drop-height", &SettingOverrides::tamayparticulas},
};

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

bool catalogHasId(const Catalog& catalog, uint32_t id) {
    for (int32_t index = 0; index < catalog.count; ++index)
        if (static_cast<uint32_t>(catalog.entries[index].id) == id)
            return true;
    return false;
}

bool parseInt32(const char* text, int32_t& number) {
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, number);
    return error == std::errc() && stop == end && stop != text;
}

template <typename Table>
const auto* findOption(const Table& table, std::string_view name) {
    for (const auto& option : table)
        if (name == option.name)
            return &option;
    return static_cast<decltype(&table[0])>(nullptr);
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
        } else if (name == "print-settings") {
            options.printSettings = true;
        } else if (name == "help" || name == "h") {
            options.help = true;
        } else if (const FlagOption* flag = findOption(flagOptions, name)) {
            options.overrides.*(flag->field) = flag->value;
        } else if (const ChoiceOption* choice = findOption(choiceOptions, name)) {
            if (!parseEntry(takeValue(), number) || !catalogHasId(*choice->catalog, number))
                return fail("--" + std::string(name) + " needs one of the numbers it lists");
            options.overrides.*(choice->field) = static_cast<int32_t>(number);
        } else if (const NumberOption* numeric = findOption(numberOptions, name)) {
            if (!parseEntry(takeValue(), number))
                return fail("--" + std::string(name) + " needs a number");
            options.overrides.*(numeric->field) = numeric->fromEntry(number);
        } else if (const SizeOption* size = findOption(sizeOptions, name)) {
            if (!parseEntry(takeValue(), number))
                return fail("--" + std::string(name) + " needs a number of thousandths");
            options.overrides.*(size->field) = dropSizeFromEntry(number);
        } else {
            return fail("unknown option \"" + std::string(argv[index]) + "\"");
        }
    }
    options.target = hasWindowId ? DrawTarget::GivenWindow : target;
    return true;
}

void applyOverrides(const SettingOverrides& overrides, Settings& record) {
    // clang-format off
    const std::pair<const std::optional<int32_t>*, int32_t*> integers[] = {
        {&overrides.mascara, &record.mascara},
        {&overrides.sombra, &record.sombra},
        {&overrides.efecto, &record.efecto},
        {&overrides.efectoulmo, &record.efectoulmo},
        {&overrides.imagenfondo, &record.imagenfondo},
        {&overrides.numeroparticulas, &record.numeroparticulas},
        {&overrides.rojosombra, &record.rojosombra},
        {&overrides.verdesombra, &record.verdesombra},
        {&overrides.azulsombra, &record.azulsombra},
        {&overrides.sangrante, &record.sangrante},
    };
    // clang-format on
    for (const auto& [override, field] : integers)
        if (*override)
            *field = **override;
    if (overrides.tamaxparticulas)
        record.tamaxparticulas = *overrides.tamaxparticulas;
    if (overrides.tamayparticulas)
        record.tamayparticulas = *overrides.tamayparticulas;
}
