#pragma once
// Where the settings live. The product keeps them under one registry key of
// the current user; host tests use an in-memory store. loadSettings and
// saveSettings keep their order of values over whichever store is installed.

#include <cstdint>

using StoreKey = void*;

constexpr uint32_t storeTypeDword = 4; // REG_DWORD

struct SettingsStore {
    bool (*openForReading)(StoreKey* key);
    bool (*openForWriting)(StoreKey* key); // creates the key, with its parents, if missing
    // Reads one value: on entry *size is the room at data, on success it is the
    // value's size and *type its type.
    bool (*readValue)(StoreKey key, const char* name, void* data, uint32_t* type, uint32_t* size);
    bool (*writeDword)(StoreKey key, const char* name, uint32_t value);
    void (*close)(StoreKey key);
};

// The store in use; the registry in the product, a memory store in host tests.
extern SettingsStore settingsStore;

// Reads every stored value over the current settings, in the stored order.
void loadSettings();
// Writes the twelve user settings ("frames" is not among them).
void saveSettings();
// Writes "frames" alone, as the end of a full-screen run does.
void saveFrames();
