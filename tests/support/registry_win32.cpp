#include "registry_win32.h"

#include "settings/registry_store_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iomanip>

void PrintTo(const RegistryValue& value, std::ostream* out) {
    *out << "type " << value.type << ", bytes";
    for (BYTE byte : value.data)
        *out << ' ' << std::hex << std::setw(2) << std::setfill('0') << static_cast<int>(byte) << std::dec;
}

RegistryValue dwordValue(DWORD value) {
    RegistryValue stored{REG_DWORD, std::vector<BYTE>(sizeof value)};
    std::memcpy(stored.data.data(), &value, sizeof value);
    return stored;
}

RegistryValues storedValues() {
    RegistryValues values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        BYTE data[64];
        DWORD nameSize = sizeof name, type = 0, size = sizeof data;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        values[name] = {type, std::vector<BYTE>(data, data + size)};
    }
    RegCloseKey(key);
    return values;
}

std::optional<DWORD> storedDword(const char* name) {
    const RegistryValues values = storedValues();
    const auto found = values.find(name);
    if (found == values.end() || found->second.type != REG_DWORD || found->second.data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value;
    std::memcpy(&value, found->second.data.data(), sizeof value);
    return value;
}

bool settingsKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void storeValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        ADD_FAILURE() << "the settings key could not be created for " << name;
        return;
    }
    if (RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        ADD_FAILURE() << name << " could not be stored";
    RegCloseKey(key);
}

void storeDword(const char* name, DWORD value) {
    storeValue(name, REG_DWORD, &value, sizeof value);
}

void deleteSettingsKey() {
    std::string path = settingsKeyPath;
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    // RegDeleteKeyA leaves a key that still has subkeys, and so anything
    // above ours that holds keys of others. "Software" itself always stays.
    for (size_t cut = path.rfind('\\'); cut != std::string::npos; cut = path.rfind('\\')) {
        path.resize(cut);
        if (path.find('\\') == std::string::npos || RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) != ERROR_SUCCESS)
            break;
    }
}
