#pragma once
// A settings store held in memory, for tests: it can hold any value, fail
// to read or to write, and tells the order in which values were touched.

#include "settings/settings_store.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct MemoryStore {
    bool exists = false; // a store there is to read
    bool failWrites = false;
    std::map<std::string, uint32_t> values;
    std::vector<std::string> log; // "read name", "write name", in the order touched
};

extern MemoryStore memoryStore;

// Store operations over memoryStore.
SettingsStore memorySettingsStore();

// Puts one value into memoryStore, which then exists.
void putValue(const std::string& name, uint32_t bits);
