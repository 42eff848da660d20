#include "settings/memory_store.h"

#include <cstring>

MemoryStore memoryStore;

namespace {

StoreKey memoryKey() {
    return &memoryStore;
}

bool openForReading(StoreKey* key) {
    memoryStore.log.push_back("open-read");
    if (memoryStore.failOpenForReading || !memoryStore.keyExists)
        return false;
    *key = memoryKey();
    return true;
}

bool openForWriting(StoreKey* key) {
    memoryStore.log.push_back("open-write");
    if (memoryStore.failOpenForWriting)
        return false;
    memoryStore.keyExists = true;
    *key = memoryKey();
    return true;
}

// Answers like the registry: a value larger than the room given fails and
// reports the size it needs.
bool readValue(StoreKey, const char* name, void* data, uint32_t* type, uint32_t* size) {
    memoryStore.log.push_back(std::string("read ") + name);
    auto found = memoryStore.values.find(name);
    if (memoryStore.failReads || found == memoryStore.values.end())
        return false;
    const MemoryValue& value = found->second;
    *type = value.type;
    const uint32_t room = *size;
    *size = static_cast<uint32_t>(value.data.size());
    if (value.data.size() > room)
        return false;
    if (!value.data.empty())
        std::memcpy(data, value.data.data(), value.data.size());
    return true;
}

bool writeDword(StoreKey, const char* name, uint32_t value) {
    memoryStore.log.push_back(std::string("write ") + name);
    if (memoryStore.failWrites)
        return false;
    putDword(name, value);
    return true;
}

void close(StoreKey) {
    memoryStore.log.push_back("close");
}

} // namespace

SettingsStore memorySettingsStore() {
    return {openForReading, openForWriting, readValue, writeDword, close};
}

void putDword(const std::string& name, uint32_t value) {
    MemoryValue stored;
    stored.data.resize(sizeof value);
    std::memcpy(stored.data.data(), &value, sizeof value);
    memoryStore.values[name] = stored;
    memoryStore.keyExists = true;
}

bool getDword(const std::string& name, uint32_t* value) {
    auto found = memoryStore.values.find(name);
    if (found == memoryStore.values.end() || found->second.type != storeTypeDword ||
        found->second.data.size() != sizeof *value)
        return false;
    std::memcpy(value, found->second.data.data(), sizeof *value);
    return true;
}
