#include "settings/setting_fields.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::string shortest(float number) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, number);
    return std::string(text, written.ptr);
}

// "0..6" for ids that follow one another, "0|2|3|4" for any others.
std::string idsText(const Catalog& catalog) {
    const std::vector<int32_t> ids = catalogIds(catalog);
    if (ids.empty())
        return {};
    bool consecutive = true;
    for (size_t index = 1; index < ids.size(); ++index)
        consecutive = consecutive && ids[index] == ids[index - 1] + 1;
    if (consecutive && ids.size() > 2)
        return std::to_string(ids.front()) + ".." + std::to_string(ids.back());
    std::string text;
    for (const int32_t id : ids)
        text += (text.empty() ? "" : "|") + std::to_string(id);
    return text;
}

RangedValue kept(uint32_t bits) {
    return {RangeVerdict::Kept, bits};
}

RangedValue brought(uint32_t bits) {
    return {RangeVerdict::Brought, bits};
}

constexpr RangedValue refused = {RangeVerdict::Refused, 0};

uint32_t integerBits(int64_t number) {
    return static_cast<uint32_t>(static_cast<int32_t>(number));
}

} // namespace

static_assert(settingFieldCount == 13, "thirteen stored values");

const SettingField* findSettingField(std::string_view name) {
    for (const SettingField& field : settingFields)
        if (name == field.name)
            return &field;
    return nullptr;
}

uint32_t settingBits(const Settings& record, const SettingField& field) {
    return field.integer ? static_cast<uint32_t>(record.*field.integer) : std::bit_cast<uint32_t>(record.*field.real);
}

void setSettingBits(Settings& record, const SettingField& field, uint32_t bits) {
    if (field.integer)
        record.*field.integer = static_cast<int32_t>(bits);
    else
        record.*field.real = std::bit_cast<float>(bits);
}

RangedValue rangedInteger(const SettingField& field, int64_t number) {
    switch (field.kind) {
    case SettingKind::Flag:
        // A flag is the 0 or 1 the options and dialogs write; anything else is
        // refused as a choice no catalog offers is, so that "mascara = 7" and
        // "mascara = yes" are told and treated alike.
        return number == 0 || number == 1 ? kept(integerBits(number)) : refused;
    case SettingKind::Choice:
        if (number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max() &&
            catalogOffers(*field.catalog, static_cast<int32_t>(number)))
            return kept(integerBits(number));
        return refused;
    case SettingKind::Number: {
        const int64_t within = std::clamp<int64_t>(number, 0, field.high);
        return within == number ? kept(integerBits(number)) : brought(integerBits(within));
    }
    case SettingKind::DropSize:
    case SettingKind::FrameRate:
        break;
    }
    return refused;
}

RangedValue rangedReal(const SettingField& field, float number) {
    const uint32_t bits = std::bit_cast<uint32_t>(number);
    switch (field.kind) {
    case SettingKind::DropSize:
        if (std::isnan(number))
            return refused;
        if (number < 0)
            return brought(std::bit_cast<uint32_t>(0.0f));
        if (number > largestDropSize)
            return brought(std::bit_cast<uint32_t>(largestDropSize));
        return kept(bits);
    case SettingKind::FrameRate:
        // An average that is no number, endless or below zero was never
        // measured; it counts as none, as before the first full-screen run.
        return std::isfinite(number) && number >= 0 ? kept(bits) : brought(std::bit_cast<uint32_t>(0.0f));
    case SettingKind::Flag:
    case SettingKind::Choice:
    case SettingKind::Number:
        break;
    }
    return refused;
}

std::string storedRangeText(const SettingField& field) {
    switch (field.kind) {
    case SettingKind::Flag:
        return "0 or 1";
    case SettingKind::Choice:
        return idsText(*field.catalog);
    case SettingKind::Number:
        return "0.." + std::to_string(field.high);
    case SettingKind::DropSize:
        return "0.." + shortest(largestDropSize);
    case SettingKind::FrameRate:
        return "0 or more";
    }
    return {};
}

std::string optionValueText(const SettingField& field) {
    switch (field.kind) {
    case SettingKind::Flag:
    case SettingKind::FrameRate:
        return {};
    case SettingKind::DropSize:
        return "0.." + std::to_string(largestDropSizeEntry);
    case SettingKind::Choice:
    case SettingKind::Number:
        break;
    }
    return storedRangeText(field);
}
