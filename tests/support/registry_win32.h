#pragma once
// The settings key in the registry of the test prefix, read and written
// beside the product's store: what a test puts there first and finds there
// afterwards. The key is the one the product declares, settingsKeyPath.

#include <windows.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// One value as the registry holds it: its type and its bytes.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RegistryValue&) const = default;
};
void PrintTo(const RegistryValue& value, std::ostream* out);

using RegistryValues = std::map<std::string, RegistryValue>;

// A REG_DWORD of four bytes, as the product stores every setting.
RegistryValue dwordValue(DWORD value);

// Every value under the settings key, by name; none when the key is missing.
RegistryValues storedValues();
// The named value when it is a REG_DWORD of four bytes, else nothing.
std::optional<DWORD> storedDword(const char* name);
bool settingsKeyExists();

// Puts a value of any type under the settings key, creating the key; a
// registry that refuses fails the test.
void storeValue(const char* name, DWORD type, const void* data, DWORD size);
void storeDword(const char* name, DWORD value);

// Deletes the settings key with all it holds, and the keys above it that
// hold no other key, so that a test starts from a registry the saver never
// touched.
void deleteSettingsKey();
