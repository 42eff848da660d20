#pragma once
// Settings that come as name and value texts rather than as a file: the web
// page's address and its localStorage. Each pair is read by the settings
// file's own rules, so a value there is held to its range or refused exactly
// as the same line of the file would be.

#include "settings/settings_file.h"

#include <string>
#include <vector>

struct SettingPair {
    std::string name, value;
};

// Reads the pairs into values as readSettingsText reads lines; a problem's
// line is the pair's place, counted from 1. A control character in a name or
// value cannot start a line of its own: it reads as '?', which no name or
// number holds.
std::vector<SettingsFileProblem> readSettingPairs(const std::vector<SettingPair>& pairs, StoredValue* values,
                                                  int count);

// The value's text as the settings file writes it: "2", "0.05".
std::string settingValueText(const StoredValue& value);
