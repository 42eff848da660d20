#pragma once

#include "settings/settings_store.h"

constexpr const char* settingsKeyPath = "Software\\Halvoren\\Quelmar\\V01";

SettingsStore registrySettingsStore();
