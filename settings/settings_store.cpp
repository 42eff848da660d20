#include "settings/settings_store.h"

#include "settings/settings.h"

#include <cstring>

namespace {

// The stored values in the order they are read and written. Every field is
// four bytes; a float travels as its IEEE single-precision bit pattern.
struct StoredValue {
    const char* name;
    void* field;
};

const StoredValue storedValues[] = {
    {"mascara", &settings.mascara},
    {"sombra", &settings.sombra},
    {"efecto", &settings.efecto},
    {"efectoulmo", &settings.efectoulmo},
    {"imagenfondo", &settings.imagenfondo},
    {"numeroparticulas", &settings.numeroparticulas},
    {"tamaxparticulas", &settings.tamaxparticulas},
    {"tamayparticulas", &settings.tamayparticulas},
    {"rojosombra", &settings.rojosombra},
    {"verdesombra", &settings.verdesombra},
    {"azulsombra", &settings.azulsombra},
    {"sangrante", &settings.sangrante},
    {"frames", &settings.frames},
};

constexpr int userValueCount = 12; // all but "frames"

uint32_t fieldBits(const void* field) {
    uint32_t bits;
    std::memcpy(&bits, field, sizeof bits);
    return bits;
}

// A value of another type or size is left alone rather than half-read into
// its field; so is one that fails to read.
void readStoredValue(StoreKey key, const StoredValue& value) {
    unsigned char data[4];
    uint32_t type = 0;
    uint32_t size = sizeof data;
    if (!settingsStore.readValue(key, value.name, data, &type, &size))
        return;
    if (type != storeTypeDword || size != sizeof data)
        return;
    std::memcpy(value.field, data, sizeof data);
}

} // namespace

void loadSettings() {
    StoreKey key = nullptr;
    if (!settingsStore.openForReading(&key))
        return;
    for (const StoredValue& value : storedValues)
        readStoredValue(key, value);
    settingsStore.close(key);
}

void saveSettings() {
    StoreKey key = nullptr;
    if (!settingsStore.openForWriting(&key))
        return;
    for (int index = 0; index < userValueCount; ++index)
        settingsStore.writeDword(key, storedValues[index].name, fieldBits(storedValues[index].field));
    settingsStore.close(key);
}

void saveFrames() {
    StoreKey key = nullptr;
    if (!settingsStore.openForWriting(&key))
        return;
    settingsStore.writeDword(key, "frames", fieldBits(&settings.frames));
    settingsStore.close(key);
}
