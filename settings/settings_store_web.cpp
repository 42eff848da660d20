// A page from file:// or in a private window may have no localStorage, or
// one that throws: the store then reads nothing and writes nothing, and the
// page runs on the defaults.
#include "settings/settings_store_web.h"

#include "settings/setting_pairs.h"

#include <emscripten.h>
#include <cstdlib>
#include <string>

namespace {

// clang-format off
EM_JS(char*, storedText, (const char* name), {
    try {
        const text = window.localStorage.getItem("norwyn." + UTF8ToString(name));
        return text === null ? 0 : allocateUTF8(text);
    } catch (e) {
        return 0;
    }
});

EM_JS(int, storeText, (const char* name, const char* text), {
    try {
        window.localStorage.setItem("norwyn." + UTF8ToString(name), UTF8ToString(text));
        return 1;
    } catch (e) {
        return 0;
    }
});
// clang-format on

bool readStorage(StoredValue* values, int count) {
    std::vector<SettingPair> pairs;
    for (int index = 0; index < count; ++index)
        if (char* text = storedText(values[index].name)) {
            pairs.push_back({values[index].name, text});
            std::free(text);
        }
    for (const SettingsFileProblem& problem : readSettingPairs(pairs, values, count))
        emscripten_log(EM_LOG_CONSOLE | EM_LOG_WARN, "norwyn: localStorage: %s", problem.message.c_str());
    return true;
}

bool writeStorage(const StoredValue* values, int count) {
    bool written = true;
    for (int index = 0; index < count; ++index)
        written = storeText(values[index].name, settingValueText(values[index]).c_str()) && written;
    return written;
}

} // namespace

SettingsStore localStorageSettingsStore() {
    return {readStorage, writeStorage};
}

SettingsStore settingsStore = localStorageSettingsStore();
