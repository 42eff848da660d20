// Loading and saving the settings over a memory store filled from the input:
// every stored value of any type, size and data, the store's failures, and
// the record the load starts from. Checks that a field changes only when its
// value is a readable four-byte DWORD, that the store is touched in its fixed
// order, that a save writes exactly the fields' bits or, when the store
// fails, nothing at all, and that the dialogs' readings of whatever was loaded
// stay within their fields.

#include "settings/catalogs.h"
#include "settings/dialog_rules.h"
#include "settings/memory_store.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const valueNames[13] = {
    "mascara", "sombra", "efecto", "efectoulmo", "imagenfondo", "numeroparticulas", "tamaxparticulas",
    "tamayparticulas", "rojosombra", "verdesombra", "azulsombra", "sangrante", "frames"};
constexpr int userValueCount = 12;

// The fields in the order of valueNames.
void* fieldOf(Settings& record, int index) {
    void* const fields[13] = {
        &record.mascara, &record.sombra, &record.efecto, &record.efectoulmo, &record.imagenfondo,
        &record.numeroparticulas, &record.tamaxparticulas, &record.tamayparticulas, &record.rojosombra,
        &record.verdesombra, &record.azulsombra, &record.sangrante, &record.frames};
    return fields[index];
}

uint32_t bitsOf(Settings& record, int index) {
    uint32_t bits;
    std::memcpy(&bits, fieldOf(record, index), sizeof bits);
    return bits;
}

[[noreturn]] void fail(const char* what, const char* name) {
    std::fprintf(stderr, "fuzz_settings: %s (%s)\n", what, name);
    std::abort();
}

// A type: mostly the few the registry knows, sometimes any number at all.
uint32_t consumeType(FuzzedDataProvider& input) {
    static const uint32_t types[] = {storeTypeDword, 0 /* REG_NONE */, 1 /* REG_SZ */, 3 /* REG_BINARY */,
                                     5 /* REG_DWORD_BIG_ENDIAN */, 11 /* REG_QWORD */};
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    if (choice < 160)
        return storeTypeDword;
    if (choice < 240)
        return types[choice % (sizeof types / sizeof types[0])];
    return input.ConsumeIntegral<uint32_t>();
}

// A size: mostly around four bytes, sometimes large.
size_t consumeSize(FuzzedDataProvider& input) {
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    if (choice < 128)
        return 4;
    if (choice < 240)
        return choice % 9;
    return input.ConsumeIntegralInRange<size_t>(0, 4096);
}

bool sameStoredValues(const std::map<std::string, MemoryValue>& a, const std::map<std::string, MemoryValue>& b) {
    if (a.size() != b.size())
        return false;
    for (auto ia = a.begin(), ib = b.begin(); ia != a.end(); ++ia, ++ib)
        if (ia->first != ib->first || ia->second.type != ib->second.type || ia->second.data != ib->second.data)
            return false;
    return true;
}

// The store must hold exactly before's values with the named ones replaced by
// the record's bits as DWORDs.
void expectWritten(const std::map<std::string, MemoryValue>& before, Settings& record, int first, int count) {
    std::map<std::string, MemoryValue> expected = before;
    for (int index = first; index < first + count; ++index) {
        MemoryValue value;
        value.type = storeTypeDword;
        value.data.resize(4);
        const uint32_t bits = bitsOf(record, index);
        std::memcpy(value.data.data(), &bits, 4);
        expected[valueNames[index]] = value;
    }
    if (!sameStoredValues(memoryStore.values, expected))
        fail("a save did not write exactly the fields' bits", valueNames[first]);
}

std::vector<std::string> expectedLog(bool opened, const char* openEntry, bool reading, int first, int count) {
    std::vector<std::string> log = {openEntry};
    if (!opened)
        return log;
    for (int index = first; index < first + count; ++index)
        log.push_back(std::string(reading ? "read " : "write ") + valueNames[index]);
    log.push_back("close");
    return log;
}

void checkDialogReadings() {
    // What the dialogs show for the loaded record: any stored size must map to
    // an entry, and every id either to a caption or to none.
    for (const float size : {settings.tamaxparticulas, settings.tamayparticulas}) {
        const uint32_t entry = dropSizeEntry(size);
        if (size >= 0 && size <= 0.1f && entry > 100)
            fail("a drop size within 0..0.1 shown beyond 100", "dropSizeEntry");
        const float back = dropSizeFromEntry(entry);
        if (!(back >= 0 && back <= 0.1f))
            fail("an entry read back outside 0..0.1", "dropSizeFromEntry");
    }
    for (const int32_t channel : {settings.rojosombra, settings.verdesombra, settings.azulsombra}) {
        const int32_t back = colourFromEntry(static_cast<uint32_t>(channel));
        if (back < 0 || back > 255)
            fail("a colour read back outside 0..255", "colourFromEntry");
    }
    const int32_t drops = dropCountFromEntry(static_cast<uint32_t>(settings.numeroparticulas));
    if (drops < 0 || drops > 9999)
        fail("a drop count read back outside 0..9999", "dropCountFromEntry");
    const std::pair<const Catalog*, int32_t> ids[] = {
        {&backgroundCatalog, settings.imagenfondo},
        {&effectCatalog, settings.efecto},
        {&movementCatalog, settings.efectoulmo},
    };
    for (const auto& [catalog, id] : ids)
        for (int32_t index = 0; index < catalog->count; ++index) {
            const CatalogEntry& entry = catalog->entries[index];
            if (entry.id == id && catalogIdForCaption(*catalog, entry.caption, id ^ 0x5A5A5A5A) != id)
                fail("a caption that does not lead back to its id", entry.caption);
        }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    buildCatalogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    settingsStore = memorySettingsStore();
    memoryStore = MemoryStore{};

    // The record the load starts from: the defaults or any bits at all.
    settings = Settings{};
    if (input.ConsumeBool())
        for (int index = 0; index < 13; ++index) {
            const uint32_t bits = input.ConsumeIntegral<uint32_t>();
            std::memcpy(fieldOf(settings, index), &bits, 4);
        }
    settings.saveToRegistry = input.ConsumeIntegral<int32_t>();

    const uint8_t failures = input.ConsumeIntegral<uint8_t>();
    memoryStore.keyExists = failures & 1;
    memoryStore.failOpenForReading = failures & 2;
    memoryStore.failReads = failures & 4;

    // Every value, present or not, of any type and size.
    for (const char* name : valueNames) {
        if (!input.ConsumeBool())
            continue;
        MemoryValue value;
        value.type = consumeType(input);
        value.data = input.ConsumeBytes<unsigned char>(consumeSize(input));
        memoryStore.values[name] = value;
    }
    // Names the program never reads are left alone too.
    if (input.ConsumeBool())
        memoryStore.values[input.ConsumeRandomLengthString(16)] = MemoryValue{};

    const Settings before = settings;
    Settings loaded = before;
    const bool opened = memoryStore.keyExists && !memoryStore.failOpenForReading;
    loadSettings();
    if (memoryStore.log != expectedLog(opened, "open-read", true, 0, 13))
        fail("the load touched the store out of order", "log");

    for (int index = 0; index < 13; ++index) {
        uint32_t expected = bitsOf(loaded, index);
        const auto found = memoryStore.values.find(valueNames[index]);
        if (opened && !memoryStore.failReads && found != memoryStore.values.end() &&
            found->second.type == storeTypeDword && found->second.data.size() == 4)
            std::memcpy(&expected, found->second.data.data(), 4);
        if (bitsOf(settings, index) != expected)
            fail("a field changed without a readable DWORD, or missed one", valueNames[index]);
    }
    if (settings.saveToRegistry != before.saveToRegistry)
        fail("the load touched the save choice", "saveToRegistry");

    checkDialogReadings();

    // Saving the user settings, then "frames", over a store that may fail.
    loaded = settings;
    const uint8_t saveFailures = input.ConsumeIntegral<uint8_t>();
    for (int save = 0; save < 2; ++save) {
        memoryStore.failOpenForWriting = saveFailures & (1 << (2 * save));
        memoryStore.failWrites = saveFailures & (2 << (2 * save));
        memoryStore.log.clear();
        const auto valuesBefore = memoryStore.values;
        const bool keyBefore = memoryStore.keyExists;
        const bool writable = !memoryStore.failOpenForWriting;
        const int first = save == 0 ? 0 : userValueCount;
        const int count = save == 0 ? userValueCount : 1;
        if (save == 0)
            saveSettings();
        else
            saveFrames();
        if (memoryStore.log != expectedLog(writable, "open-write", false, first, count))
            fail("a save touched the store out of order", valueNames[first]);
        if (!writable || memoryStore.failWrites) {
            if (!sameStoredValues(memoryStore.values, valuesBefore))
                fail("a failing store was written", valueNames[first]);
            if (!writable && memoryStore.keyExists != keyBefore)
                fail("a store that failed to open was created", valueNames[first]);
        } else {
            expectWritten(valuesBefore, settings, first, count);
        }
        if (std::memcmp(&settings, &loaded, sizeof settings) != 0)
            fail("a save changed the record", valueNames[first]);
    }

    // What was saved loads back bit for bit over a record of other bits.
    if (!(saveFailures & 3) && !(saveFailures & 12)) {
        memoryStore.failReads = false;
        memoryStore.failOpenForReading = false;
        for (int index = 0; index < 13; ++index) {
            const uint32_t other = ~bitsOf(loaded, index);
            std::memcpy(fieldOf(settings, index), &other, 4);
        }
        loadSettings();
        for (int index = 0; index < 13; ++index)
            if (bitsOf(settings, index) != bitsOf(loaded, index))
                fail("a saved value did not load back", valueNames[index]);
    }
    return 0;
}
