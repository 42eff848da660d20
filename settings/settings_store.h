#pragma once
// Where the settings live: the registry key of the current user on Windows, a
// text file on Linux, memory in the tests. A store speaks in values, a name
// and its four bytes; loadSettings and saveSettings keep their order of
// values over whichever store is installed.

#include "settings/setting_fields.h"

#include <cstdint>

// How a value's four bytes are meant: the text file writes and reads them so;
// the registry keeps the bytes alone.
enum class ValueKind { Integer, Float };

struct StoredValue {
    const char* name;
    ValueKind kind;
    uint32_t bits; // an integer's value, a float's IEEE single-precision bit pattern
    bool found;    // set by a read: the store held a usable value of this name
};

struct SettingsStore {
    // Fills the values the store holds, in the order given, and marks them
    // found; false when there is no store to read yet.
    bool (*read)(StoredValue* values, int count);
    // Writes the values in the order given, creating the store when it is
    // missing and keeping any other value it holds; false when nothing could be written.
    bool (*write)(const StoredValue* values, int count);
};

// The store in use: the registry on Windows, the settings file on Linux.
extern SettingsStore settingsStore;

constexpr int storedValueCount = settingFieldCount;         // every field but the save choice
constexpr int userSettingValueCount = storedValueCount - 1; // all but "frames", the last

// The stored values in their order, with the bits of the current settings.
void collectStoredValues(StoredValue (&values)[storedValueCount]);

// Reads every stored value over the current settings, in the stored order.
void loadSettings();
// Writes the twelve user settings ("frames" is not among them); false when
// the store could not be written.
bool saveSettings();
// Writes "frames" alone, as the end of a full-screen run does.
bool saveFrames();
