// The settings store of the product: the key below under HKEY_CURRENT_USER,
// thirteen REG_DWORD values. Reading opens the key, writing creates it (and
// its parents) when it is missing.

#include "settings/registry_store_win32.h"

#include <windows.h>

namespace {

bool openForReading(StoreKey* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return false;
    *key = handle;
    return true;
}

bool openForWriting(StoreKey* key) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    char emptyClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &handle, &disposition) != ERROR_SUCCESS)
        return false;
    *key = handle;
    return true;
}

// The type is asked for so that a value of another kind is never taken for a DWORD.
bool readValue(StoreKey key, const char* name, void* data, uint32_t* type, uint32_t* size) {
    DWORD valueType = 0;
    DWORD valueSize = *size;
    const LONG result = RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, &valueType,
                                         static_cast<BYTE*>(data), &valueSize);
    *type = valueType;
    *size = valueSize;
    return result == ERROR_SUCCESS;
}

bool writeDword(StoreKey key, const char* name, uint32_t value) {
    const DWORD data = value;
    return RegSetValueExA(static_cast<HKEY>(key), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

void close(StoreKey key) {
    RegCloseKey(static_cast<HKEY>(key));
}

} // namespace

SettingsStore registrySettingsStore() {
    return {openForReading, openForWriting, readValue, writeDword, close};
}

SettingsStore settingsStore = registrySettingsStore();
