#include "settings/settings_store.h"

#include "settings/settings.h"

namespace {

constexpr int framesIndex = storedValueCount - 1;
static_assert(settingFields[framesIndex].kind == SettingKind::FrameRate, "the user settings come before \"frames\"");

// Every field is four bytes; a float travels as its IEEE single-precision bit pattern.
ValueKind valueKind(const SettingField& field) {
    return field.integer ? ValueKind::Integer : ValueKind::Float;
}

} // namespace

void collectStoredValues(StoredValue (&values)[storedValueCount]) {
    for (int index = 0; index < storedValueCount; ++index) {
        const SettingField& field = settingFields[index];
        values[index] = {field.name, valueKind(field), settingBits(settings, field), false};
    }
}

void loadSettings() {
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    if (!settingsStore.read(values, storedValueCount))
        return;
    for (int index = 0; index < storedValueCount; ++index)
        if (values[index].found)
            setSettingBits(settings, settingFields[index], values[index].bits);
}

bool saveSettings() {
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    return settingsStore.write(values, userSettingValueCount);
}

bool saveFrames() {
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    return settingsStore.write(&values[framesIndex], 1);
}
