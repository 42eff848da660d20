#include "settings/setting_pairs.h"

namespace {

std::string withoutControls(const std::string& text) {
    std::string clean = text;
    for (char& c : clean)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return clean;
}

} // namespace

std::vector<SettingsFileProblem> readSettingPairs(const std::vector<SettingPair>& pairs, StoredValue* values,
                                                  int count) {
    std::string text;
    for (const SettingPair& pair : pairs)
        text += withoutControls(pair.name) + " = " + withoutControls(pair.value) + "\n";
    return readSettingsText(text, values, count);
}

std::string settingValueText(const StoredValue& value) {
    const std::string line = settingsLine(value);
    return line.substr(line.find(" = ") + 3);
}
