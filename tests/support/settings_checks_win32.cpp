#include "settings_checks_win32.h"

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
#define NORWYN_NOTE(field) noteDifference(result, #field, actual.field, expected.field)
    NORWYN_NOTE(mascara);
    NORWYN_NOTE(sombra);
    NORWYN_NOTE(efecto);
    NORWYN_NOTE(efectoulmo);
    NORWYN_NOTE(imagenfondo);
    NORWYN_NOTE(numeroparticulas);
    NORWYN_NOTE(tamaxparticulas);
    NORWYN_NOTE(tamayparticulas);
    NORWYN_NOTE(rojosombra);
    NORWYN_NOTE(verdesombra);
    NORWYN_NOTE(azulsombra);
    NORWYN_NOTE(sangrante);
    NORWYN_NOTE(frames);
    NORWYN_NOTE(saveToRegistry);
#undef NORWYN_NOTE
    return result;
}
