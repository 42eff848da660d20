#include "settings_checks_win32.h"

#include "settings/setting_fields.h"

#include <cstring>
#include <iomanip>

namespace {

template <typename Field>
void noteDifference(testing::AssertionResult& result, const char* name, Field actual, Field expected) {
    if (std::memcmp(&actual, &expected, sizeof actual) != 0)
        result << "\n  " << name << ": " << std::setprecision(9) << actual << " instead of " << expected;
}

} // namespace

testing::AssertionResult sameSettings(const Settings& actual, const Settings& expected) {
    // The bytes decide, so that a float differing only in its bits counts.
    if (std::memcmp(&actual, &expected, sizeof actual) == 0)
        return testing::AssertionSuccess();
    testing::AssertionResult result = testing::AssertionFailure() << "the settings differ:";
    for (const SettingField& field : settingFields) {
        if (field.integer)
            noteDifference(result, field.name, actual.*field.integer, expected.*field.integer);
        else
            noteDifference(result, field.name, actual.*field.real, expected.*field.real);
    }
    noteDifference(result, "saveToRegistry", actual.saveToRegistry, expected.saveToRegistry);
    return result;
}
