#pragma once
// Every stored setting once, in the order the store reads and writes them:
// its value name, its kind, its default, its range or catalog, and the
// option that sets it for one run. The store's order, the settings file's
// names and checks, the Linux options and their usage lines, and the values
// the dialogs' Reset buttons show all come from this table; the XScreenSaver
// dialog (resources/linux/norwyn.xml) is held to it by a test.

#include "settings/catalogs.h"
#include "settings/dialog_rules.h"
#include "settings/scene_limits.h"
#include "settings/settings.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

enum class SettingKind {
    Flag,      // 0 or 1, on when non-zero; --option sets it, --no-option clears it
    Choice,    // an id its catalog offers
    Number,    // a whole number, 0..high
    DropSize,  // a float, 0..0.1 scene units; the option takes thousandths, 0..100
    FrameRate, // the running average frame rate: the program writes it, no option sets it
};

struct SettingField {
    const char* name; // the registry value's, the settings file's
    SettingKind kind;
    int32_t Settings::*integer = nullptr; // the field of a flag, a choice or a number
    float Settings::*real = nullptr;      // the field of a drop size or the frame rate
    int32_t integerDefault = 0;
    float realDefault = 0;
    const Catalog* catalog = nullptr;         // a choice's
    int32_t high = 0;                         // a number's largest
    int32_t (*fromEntry)(uint32_t) = nullptr; // a number's clamp, as its dialog field applies it
    const char* option = nullptr;             // without its dashes; null for none
    const char* help = nullptr;               // what the option's usage line says
};

constexpr SettingField flagSetting(const char* name, int32_t Settings::*field, int32_t byDefault, const char* option,
                                   const char* help) {
    return {name, SettingKind::Flag, field, nullptr, byDefault, 0, nullptr, 0, nullptr, option, help};
}

constexpr SettingField choiceSetting(const char* name, int32_t Settings::*field, int32_t byDefault,
                                     const Catalog* catalog, const char* option, const char* help) {
    return {name, SettingKind::Choice, field, nullptr, byDefault, 0, catalog, 0, nullptr, option, help};
}

constexpr SettingField numberSetting(const char* name, int32_t Settings::*field, int32_t byDefault, int32_t high,
                                     int32_t (*fromEntry)(uint32_t), const char* option, const char* help) {
    return {name, SettingKind::Number, field, nullptr, byDefault, 0, nullptr, high, fromEntry, option, help};
}

constexpr SettingField dropSizeSetting(const char* name, float Settings::*field, float byDefault, const char* option,
                                       const char* help) {
    return {name, SettingKind::DropSize, nullptr, field, 0, byDefault, nullptr, 0, nullptr, option, help};
}

constexpr SettingField frameRateSetting(const char* name, float Settings::*field) {
    return {name, SettingKind::FrameRate, nullptr, field, 0, 0, nullptr, 0, nullptr, nullptr, nullptr};
}

// clang-format off
inline constexpr SettingField settingFields[] = {
    flagSetting("mascara", &Settings::mascara, 0, "mask", "the character through its mask"),
    flagSetting("sombra", &Settings::sombra, 1, "shading", "the warped background shaded with the shadow colour"),
    choiceSetting("efecto", &Settings::efecto, 2, &effectCatalog, "effect", "how the background moves"),
    choiceSetting("efectoulmo", &Settings::efectoulmo, 0, &movementCatalog, "movement", "how the character moves"),
    choiceSetting("imagenfondo", &Settings::imagenfondo, 0, &backgroundCatalog, "background", "the picture behind"),
    numberSetting("numeroparticulas", &Settings::numeroparticulas, 200, largestParticleCount, dropCountFromEntry, "drops", "the number of drops"),
    dropSizeSetting("tamaxparticulas", &Settings::tamaxparticulas, 0.05f, "drop-width", "the width of a drop in thousandths"),
    dropSizeSetting("tamayparticulas", &Settings::tamayparticulas, 0.07f, "drop-height", "the height of a drop in thousandths"),
    numberSetting("rojosombra", &Settings::rojosombra, 255, brightestChannel, colourFromEntry, "shadow-red", "the red of the shadow colour"),
    numberSetting("verdesombra", &Settings::verdesombra, 255, brightestChannel, colourFromEntry, "shadow-green", "the green of the shadow colour"),
    numberSetting("azulsombra", &Settings::azulsombra, 255, brightestChannel, colourFromEntry, "shadow-blue", "the blue of the shadow colour"),
    flagSetting("sangrante", &Settings::sangrante, 1, "blood", "blood drops from the character's head"),
    frameRateSetting("frames", &Settings::frames),
};
// clang-format on

constexpr int settingFieldCount = static_cast<int>(std::size(settingFields));

// A field missing from the table has no default: settings.cpp then fails to
// compile, since its record must be made at compile time.
constexpr int32_t settingDefault(int32_t Settings::*field) {
    for (const SettingField& entry : settingFields)
        if (entry.integer == field)
            return entry.integerDefault;
    throw "a field of Settings has no entry in settingFields";
}

constexpr float settingDefault(float Settings::*field) {
    for (const SettingField& entry : settingFields)
        if (entry.real == field)
            return entry.realDefault;
    throw "a field of Settings has no entry in settingFields";
}

// The entry named name, or null.
const SettingField* findSettingField(std::string_view name);

// The field's four bytes in record, as the store keeps them (a float as its
// bit pattern), and the same written back.
uint32_t settingBits(const Settings& record, const SettingField& field);
void setSettingBits(Settings& record, const SettingField& field, uint32_t bits);

// What the field's range makes of a value read from the settings file.
enum class RangeVerdict {
    Kept,    // within the range
    Brought, // outside it, brought to its nearest end
    Refused, // no choice the catalog offers, a flag other than 0 or 1, or a drop size that is no number: not taken
};

struct RangedValue {
    RangeVerdict verdict;
    uint32_t bits; // the value to take, unless refused
};

RangedValue rangedInteger(const SettingField& field, int64_t number);
RangedValue rangedReal(const SettingField& field, float number);

// The range as the settings file's messages write it, in stored units:
// "0 or 1", "0..6", "0|2|3|4", "0..9999", "0..0.1", "0 or more".
std::string storedRangeText(const SettingField& field);
// What the option takes, as its usage line writes it: the same, but a drop
// size in thousandths ("0..100"), and nothing for a flag.
std::string optionValueText(const SettingField& field);
