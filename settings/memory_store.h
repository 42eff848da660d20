#pragma once
// A settings store held in memory: the store of host builds, and a probe for
// tests, which can fill it with any value, make it fail, and read back the
// order in which values were touched.

#include "settings/settings_store.h"

#include <map>
#include <string>
#include <vector>

struct MemoryValue {
    uint32_t type = storeTypeDword;
    std::vector<unsigned char> data;
};

struct MemoryStore {
    bool keyExists = false;
    bool failOpenForReading = false;
    bool failOpenForWriting = false;
    bool failReads = false;
    bool failWrites = false;
    std::map<std::string, MemoryValue> values;
    std::vector<std::string> log; // "open-read", "read name", "write name", "close", ...
};

extern MemoryStore memoryStore;

// Store operations over memoryStore.
SettingsStore memorySettingsStore();

void putDword(const std::string& name, uint32_t value);
bool getDword(const std::string& name, uint32_t* value);
