// The settings store on Windows: the key below under HKEY_CURRENT_USER,
// thirteen REG_DWORD values. Reading opens the key, writing creates it (and
// its parents) when it is missing.

#include "settings/registry_store_win32.h"

#include <windows.h>

namespace {

// A value of another type or size is left alone rather than half-read into
// its field; the type is asked for so that text is never taken for a DWORD.
bool readDword(HKEY key, StoredValue& value) {
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, value.name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof data)
        return false;
    value.bits = data;
    return true;
}

bool readValues(StoredValue* values, int count) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    for (int index = 0; index < count; ++index)
        values[index].found = readDword(key, values[index]);
    RegCloseKey(key);
    return true;
}

bool writeValues(const StoredValue* values, int count) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    char emptyClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, emptyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return false;
    for (int index = 0; index < count; ++index) {
        const DWORD data = values[index].bits;
        RegSetValueExA(key, values[index].name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }
    RegCloseKey(key);
    return true;
}

} // namespace

SettingsStore registrySettingsStore() {
    return {readValues, writeValues};
}

SettingsStore settingsStore = registrySettingsStore();
