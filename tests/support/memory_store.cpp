#include "memory_store.h"

MemoryStore memoryStore;

namespace {

bool readValues(StoredValue* values, int count) {
    if (!memoryStore.exists)
        return false;
    for (int index = 0; index < count; ++index) {
        StoredValue& value = values[index];
        memoryStore.log.push_back(std::string("read ") + value.name);
        const auto found = memoryStore.values.find(value.name);
        value.found = found != memoryStore.values.end();
        if (value.found)
            value.bits = found->second;
    }
    return true;
}

bool writeValues(const StoredValue* values, int count) {
    if (memoryStore.failWrites)
        return false;
    memoryStore.exists = true;
    for (int index = 0; index < count; ++index) {
        memoryStore.log.push_back(std::string("write ") + values[index].name);
        memoryStore.values[values[index].name] = values[index].bits;
    }
    return true;
}

} // namespace

SettingsStore memorySettingsStore() {
    return {readValues, writeValues};
}

void putValue(const std::string& name, uint32_t bits) {
    memoryStore.values[name] = bits;
    memoryStore.exists = true;
}
