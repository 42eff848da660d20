#include "settings/settings_store.h"

#include "settings/settings.h"

#include <cstring>

namespace {

// The stored values in the order they are read and written. Every field is
// four bytes; a float travels as its IEEE single-precision bit pattern.
struct StoredField {
    const char* name;
    ValueKind kind;
    void* field;
};

const StoredField storedFields[storedValueCount] = {
    {"mascara", ValueKind::Integer, &settings.mascara},
    {"sombra", ValueKind::Integer, &settings.sombra},
    {"efecto", ValueKind::Integer, &settings.efecto},
    {"efectoulmo", ValueKind::Integer, &settings.efectoulmo},
    {"imagenfondo", ValueKind::Integer, &settings.imagenfondo},
    {"numeroparticulas", ValueKind::Integer, &settings.numeroparticulas},
    {"tamaxparticulas", ValueKind::Float, &settings.tamaxparticulas},
    {"tamayparticulas", ValueKind::Float, &settings.tamayparticulas},
    {"rojosombra", ValueKind::Integer, &settings.rojosombra},
    {"verdesombra", ValueKind::Integer, &settings.verdesombra},
    {"azulsombra", ValueKind::Integer, &settings.azulsombra},
    {"sangrante", ValueKind::Integer, &settings.sangrante},
    {"frames", ValueKind::Float, &settings.frames},
};

constexpr int framesIndex = storedValueCount - 1;

} // namespace

void collectStoredValues(StoredValue (&values)[storedValueCount]) {
    for (int index = 0; index < storedValueCount; ++index) {
        const StoredField& stored = storedFields[index];
        values[index] = {stored.name, stored.kind, 0, false};
        std::memcpy(&values[index].bits, stored.field, sizeof values[index].bits);
    }
}

void loadSettings() {
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    if (!settingsStore.read(values, storedValueCount))
        return;
    for (int index = 0; index < storedValueCount; ++index)
        if (values[index].found)
            std::memcpy(storedFields[index].field, &values[index].bits, sizeof values[index].bits);
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
