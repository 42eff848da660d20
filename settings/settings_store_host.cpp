// Host builds have no registry: their settings live in memory.
#include "settings/memory_store.h"

SettingsStore settingsStore = memorySettingsStore();
