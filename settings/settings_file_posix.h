#pragma once
// The settings store on Linux: the text file $XDG_CONFIG_HOME/norwyn/settings
// (~/.config/norwyn/settings when the variable is unset).

#include "settings/settings_store.h"

#include <string>

// Where the file is, from the environment as it stands now.
std::string settingsFilePath();

SettingsStore fileSettingsStore();
