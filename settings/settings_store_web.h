#pragma once
// The settings store of the web page: localStorage, one key per value,
// "norwyn.<name>", holding the value as the settings file writes it.

#include "settings/settings_store.h"

SettingsStore localStorageSettingsStore();
