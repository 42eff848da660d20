#include "settings/setting_entries.h"

#include "settings/dialog_rules.h"
#include "settings/float_text.h"

#include <algorithm>
#include <limits>

namespace {

// A field of digits holds no sign and no more than an unsigned 32-bit number.
uint32_t asEntered(int64_t entry) {
    return static_cast<uint32_t>(std::clamp<int64_t>(entry, 0, std::numeric_limits<uint32_t>::max()));
}

} // namespace

uint32_t bitsFromEntry(const SettingField& field, int64_t entry, uint32_t bits) {
    switch (field.kind) {
    case SettingKind::Flag:
        return entry != 0 ? 1 : 0;
    case SettingKind::Choice:
        if (entry >= std::numeric_limits<int32_t>::min() && entry <= std::numeric_limits<int32_t>::max() &&
            catalogOffers(*field.catalog, static_cast<int32_t>(entry)))
            return static_cast<uint32_t>(static_cast<int32_t>(entry));
        return bits;
    case SettingKind::Number:
        return static_cast<uint32_t>(field.fromEntry(asEntered(entry)));
    case SettingKind::DropSize:
        return floatBits(dropSizeFromEntry(asEntered(entry)));
    case SettingKind::FrameRate:
        break;
    }
    return bits;
}

int64_t entryFromBits(const SettingField& field, uint32_t bits) {
    switch (field.kind) {
    case SettingKind::DropSize:
        return dropSizeEntry(floatFromBits(bits));
    case SettingKind::FrameRate:
        return static_cast<int64_t>(floatFromBits(bits));
    case SettingKind::Flag:
    case SettingKind::Choice:
    case SettingKind::Number:
        break;
    }
    return static_cast<int32_t>(bits);
}
