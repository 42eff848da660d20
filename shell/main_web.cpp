// The web page's program: the settings from localStorage with the address
// laid over them for this visit, then the saver view (index.html?saver) until
// it ends, and the plain view beside the settings panel. The panel's script
// calls the functions exported below; the page's own script (index.html)
// lays out the views.
#include "scene/particles.h"
#include "settings/catalogs.h"
#include "settings/float_text.h"
#include "settings/setting_entries.h"
#include "settings/setting_pairs.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "shell/saver_run_web.h"

#include <emscripten.h>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// clang-format off
// The address's name=value pairs, but "saver" and "fps", which choose the view:
// each name and value followed by 0x01, control characters shown as '?'.
EM_JS(char*, addressPairsText, (), {
    const clean = text => Array.from(text, c => c.charCodeAt(0) < 32 || c.charCodeAt(0) === 127 ? "?" : c).join("");
    const end = String.fromCharCode(1);
    let joined = "";
    new URLSearchParams(location.search).forEach((value, name) => {
        if (name !== "saver" && name !== "fps")
            joined += clean(name) + end + clean(value) + end;
    });
    return allocateUTF8(joined);
});

EM_JS(int, inSaverView, (), { return new URLSearchParams(location.search).has("saver") ? 1 : 0; });
EM_JS(int, addressShowsFps, (), { return new URLSearchParams(location.search).get("fps") === "1" ? 1 : 0; });
EM_JS(void, showPage, (int saverView), { norwynPage.show(saverView); });
EM_JS(void, leaveSaverView, (), { norwynPage.leaveSaverView(); });
EM_JS(void, showNoWebGl, (), { norwynPage.showFailure(); });
// clang-format on

std::vector<SettingPair> addressPairs() {
    char* text = addressPairsText();
    std::vector<SettingPair> pairs;
    std::string part[2];
    int side = 0;
    for (const char* at = text; *at; ++at) {
        if (*at != 0x01) {
            part[side] += *at;
            continue;
        }
        if (side == 1) {
            pairs.push_back({part[0], part[1]});
            part[0].clear();
            part[1].clear();
        }
        side = 1 - side;
    }
    std::free(text);
    return pairs;
}

// The address sets the user's choices for this visit; nothing is stored.
void applyAddress() {
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    const auto problems = readSettingPairs(addressPairs(), values, userSettingValueCount);
    for (const SettingsFileProblem& problem : problems)
        emscripten_log(EM_LOG_CONSOLE | EM_LOG_WARN, "norwyn: address: %s", problem.message.c_str());
    for (int index = 0; index < userSettingValueCount; ++index)
        if (values[index].found)
            setSettingBits(settings, settingFields[index], values[index].bits);
}

const SettingField* userField(const char* name) {
    const SettingField* field = findSettingField(name);
    return field && field->kind != SettingKind::FrameRate ? field : nullptr;
}

RunPlan planFor(bool saverView) {
    if (saverView)
        return {Saver, EndingInput::Everything, addressShowsFps() != 0};
    return {Preview, EndingInput::FromOutside, addressShowsFps() != 0};
}

} // namespace

extern "C" {

// What the panel's control of the named setting shows; NaN for no such setting.
EMSCRIPTEN_KEEPALIVE double norwynSettingEntry(const char* name) {
    const SettingField* field = userField(name);
    return field ? static_cast<double>(entryFromBits(*field, settingBits(settings, *field))) : NAN;
}

// Takes a control's entry into the running scene and stores that value alone;
// returns what the control shows now.
EMSCRIPTEN_KEEPALIVE double norwynSetSettingEntry(const char* name, double entry) {
    const SettingField* field = userField(name);
    if (!field)
        return NAN;
    const int64_t whole = std::isfinite(entry) ? static_cast<int64_t>(std::fmax(-1e15, std::fmin(1e15, entry))) : 0;
    setSettingBits(settings, *field, bitsFromEntry(*field, whole, settingBits(settings, *field)));
    StoredValue value = {field->name, field->integer ? ValueKind::Integer : ValueKind::Float,
                         settingBits(settings, *field), false};
    settingsStore.write(&value, 1);
    return norwynSettingEntry(name);
}

EMSCRIPTEN_KEEPALIVE void norwynRestoreDefaults() {
    const Settings defaults;
    for (int index = 0; index < userSettingValueCount; ++index)
        setSettingBits(settings, settingFields[index], settingBits(defaults, settingFields[index]));
    saveSettings();
}

// The catalog of the named choice as "id caption" lines, in catalog order.
EMSCRIPTEN_KEEPALIVE const char* norwynCatalog(const char* name) {
    static std::string lines;
    lines.clear();
    const SettingField* field = userField(name);
    if (field && field->catalog)
        for (int32_t index = 0; index < field->catalog->count; ++index)
            lines +=
                std::to_string(field->catalog->entries[index].id) + " " + field->catalog->entries[index].caption + "\n";
    return lines.c_str();
}

// The average frame rate the last saver run stored, 0 before the first.
EMSCRIPTEN_KEEPALIVE double norwynStoredFrames() {
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    StoredValue& frames = values[storedValueCount - 1];
    frames.bits = 0;
    settingsStore.read(&frames, 1);
    return static_cast<double>(floatFromBits(frames.bits));
}

} // extern "C"

int main() {
    buildCatalogs();
    loadSettings();
    applyAddress();
    createParticlePool();
    const RunPlatform platform = webRunPlatform();
    bool saverView = inSaverView() != 0;
    showPage(saverView);
    int exitCode = 0;
    while ((exitCode = runSaver(platform, planFor(saverView))) == 0 && saverView) {
        saverView = false;
        leaveSaverView();
    }
    // The plain view runs until the page goes; a run ends early only when it cannot open.
    if (exitCode != 0)
        showNoWebGl();
    return 0;
}
