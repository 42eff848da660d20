// The Linux library's own globals: the settings file's store.
#include "process_state.h"

#include "settings/settings_file_posix.h"
#include "settings/settings_store.h"

std::vector<ProcessStatePart> platformStateParts() {
    return {{"settingsStore", [] { settingsStore = fileSettingsStore(); }, nullptr}};
}
