// The Linux settings file as a broken disk or a hostile user may leave it:
// any bytes at all. Checks that every reported line lies within the text,
// that whatever loaded lies within its setting's range and the dialogs'
// readings of it within their fields, and that writing the user settings
// into the text and reading it back gives exactly the written values when
// they are within their ranges (fixing or keeping every other line as it
// was, and leaving "frames", which the write did not name, as it stood), and
// values within the ranges when they are not.

#include "settings/catalogs.h"
#include "settings/dialog_rules.h"
#include "settings/setting_fields.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"

#include "process_state.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, const char* name) {
    std::fprintf(stderr, "fuzz_settings_file: %s (%s)\n", what, name);
    std::abort();
}

int lineCount(std::string_view text) {
    int lines = 0;
    for (const char c : text)
        lines += c == '\n';
    return lines + (!text.empty() && text.back() != '\n');
}

bool sameValue(const StoredValue& a, const StoredValue& b) {
    if (a.kind == ValueKind::Float && std::isnan(std::bit_cast<float>(a.bits)))
        return std::isnan(std::bit_cast<float>(b.bits)); // a NaN's payload is not written
    return a.bits == b.bits;
}

void checkDialogReadings(const Settings& loaded) {
    for (const float size : {loaded.tamaxparticulas, loaded.tamayparticulas}) {
        const uint32_t entry = dropSizeEntry(size);
        if (size >= 0 && size <= 0.1f && entry > 100)
            fail("a drop size within 0..0.1 shown beyond 100", "dropSizeEntry");
        const float back = dropSizeFromEntry(entry);
        if (!(back >= 0 && back <= 0.1f))
            fail("an entry read back outside 0..0.1", "dropSizeFromEntry");
    }
    for (const int32_t channel : {loaded.rojosombra, loaded.verdesombra, loaded.azulsombra})
        if (const int32_t back = colourFromEntry(static_cast<uint32_t>(channel)); back < 0 || back > 255)
            fail("a colour read back outside 0..255", "colourFromEntry");
    if (const int32_t drops = dropCountFromEntry(static_cast<uint32_t>(loaded.numeroparticulas));
        drops < 0 || drops > 9999)
        fail("a drop count read back outside 0..9999", "dropCountFromEntry");
}

// Each setting within its range, as the options would leave it.
void checkRanges(const Settings& loaded) {
    for (const int32_t flag : {loaded.mascara, loaded.sombra, loaded.sangrante})
        if (flag != 0 && flag != 1)
            fail("a flag loaded other than 0 or 1", "mascara, sombra, sangrante");
    if (!catalogOffers(effectCatalog, loaded.efecto) || !catalogOffers(movementCatalog, loaded.efectoulmo) ||
        !catalogOffers(backgroundCatalog, loaded.imagenfondo))
        fail("a choice loaded that no catalog offers", "efecto, efectoulmo, imagenfondo");
    if (loaded.numeroparticulas < 0 || loaded.numeroparticulas > largestParticleCount)
        fail("a drop count loaded outside 0..9999", "numeroparticulas");
    for (const int32_t channel : {loaded.rojosombra, loaded.verdesombra, loaded.azulsombra})
        if (channel < 0 || channel > 255)
            fail("a colour loaded outside 0..255", "rojosombra, verdesombra, azulsombra");
    for (const float size : {loaded.tamaxparticulas, loaded.tamayparticulas})
        if (!(size >= 0 && size <= 0.1f))
            fail("a drop size loaded outside 0..0.1", "tamaxparticulas, tamayparticulas");
    if (!(std::isfinite(loaded.frames) && loaded.frames >= 0))
        fail("a frame rate loaded that is no finite rate", "frames");
}

// The values as the settings file would take them: brought into their
// ranges, a refused one marked so.
void bringIntoRange(StoredValue* values, bool* refused) {
    for (int index = 0; index < userSettingValueCount; ++index) {
        const SettingField& field = settingFields[index];
        const RangedValue ranged = field.integer ? rangedInteger(field, static_cast<int32_t>(values[index].bits))
                                                 : rangedReal(field, std::bit_cast<float>(values[index].bits));
        refused[index] = ranged.verdict == RangeVerdict::Refused;
        values[index].bits = refused[index] ? settingBits(Settings{}, field) : ranged.bits;
    }
}

// The file store without the file: what the program loads from the text.
std::string_view fileText;

bool readFileText(StoredValue* values, int count) {
    readSettingsText(fileText, values, count);
    return true;
}

bool refuseWrites(const StoredValue*, int) {
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    buildCatalogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    resetProcessState();
    settingsStore = {readFileText, refuseWrites};
    StoredValue loaded[storedValueCount];
    collectStoredValues(loaded);
    const auto problems = readSettingsText(text, loaded, storedValueCount);
    const int lines = lineCount(text);
    for (const SettingsFileProblem& problem : problems)
        if (problem.line < 1 || problem.line > lines)
            fail("a problem reported outside the text", problem.message.c_str());
    fileText = text;
    loadSettings();
    checkRanges(settings);
    checkDialogReadings(settings);
    settings = Settings{}; // what a value the text refuses keeps

    // Every bit of the user settings changed, written into the text: what
    // reads back is what the file takes of it, within every range.
    StoredValue written[storedValueCount];
    std::memcpy(written, loaded, sizeof written);
    for (StoredValue& value : written)
        value.bits = ~value.bits * 2654435761u;
    StoredValue taken[storedValueCount];
    std::memcpy(taken, written, sizeof taken);
    bool refused[storedValueCount] = {};
    bringIntoRange(taken, refused);
    StoredValue rereadAny[storedValueCount];
    collectStoredValues(rereadAny);
    readSettingsText(writeSettingsText(text, written, userSettingValueCount), rereadAny, storedValueCount);
    for (int index = 0; index < userSettingValueCount; ++index)
        if (rereadAny[index].found == refused[index] || !sameValue(taken[index], rereadAny[index]))
            fail("a written value did not read back as the file takes it", written[index].name);

    // The same values within their ranges read back exactly.
    const std::string after = writeSettingsText(text, taken, userSettingValueCount);
    StoredValue reread[storedValueCount];
    collectStoredValues(reread);
    const auto problemsAfter = readSettingsText(after, reread, storedValueCount);
    for (int index = 0; index < userSettingValueCount; ++index)
        if (!reread[index].found || !sameValue(taken[index], reread[index]))
            fail("a written value did not read back", taken[index].name);
    if (reread[userSettingValueCount].found != loaded[userSettingValueCount].found ||
        (loaded[userSettingValueCount].found &&
         !sameValue(loaded[userSettingValueCount], reread[userSettingValueCount])))
        fail("a value the write did not name changed", "frames");
    if (problemsAfter.size() > problems.size())
        fail("the write made a line bad", "writeSettingsText");
    return 0;
}
