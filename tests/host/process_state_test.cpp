// The reset every test starts from: it names every global of the product's
// library, and gives each one the value a fresh process has.

#include "process_state.h"

#include "gl/gl_state.h"
#include "gl/shared_frame.h"
#include "gl/texture_set.h"
#include "scene/frame_clock.h"
#include "scene/particles.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "settings/settings_file_posix.h"
#include "settings/settings_store.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"
#include "shell/saver_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The variables the library defines, by nm's System V lines ("name | value |
// class | type | size | line | section"): objects in writable data (.bss,
// .data, but not the read-only .data.rel.ro of constant tables with
// pointers), leaving out what the compiler and the sanitizers add.
std::set<std::string> libraryGlobals() {
    std::ifstream listing(NORWYN_CORE_SYMBOLS);
    std::set<std::string> globals;
    std::string line;
    while (std::getline(listing, line)) {
        std::vector<std::string> fields;
        std::istringstream row(line);
        for (std::string field; std::getline(row, field, '|');)
            fields.push_back(trimmed(field));
        if (fields.size() != 7 || fields[3] != "OBJECT")
            continue;
        const std::string& name = fields[0];
        const std::string& section = fields[6];
        const bool writable =
            section.starts_with(".bss") || (section.starts_with(".data") && !section.starts_with(".data.rel.ro"));
        if (writable && !name.starts_with("__") && !name.starts_with("DW.ref.") && !name.starts_with("guard variable"))
            globals.insert(name);
    }
    return globals;
}

bool noBitmaps(int, BitmapPixels&) {
    return false;
}
bool noRead(StoredValue*, int) {
    return false;
}
bool noWrite(const StoredValue*, int) {
    return false;
}

const BitmapSource productBitmapSource = bitmapSource;

struct Dirtied {
    const char* name;
    void (*dirty)();
    bool (*fresh)();
};

// clang-format off
const Dirtied dirtiedGlobals[] = {
    {"settings",         [] { settings.efecto = 5; },           [] { return settings.efecto == Settings{}.efecto; }},
    {"sceneState",       [] { sceneState.phase = 1.5f; },       [] { return sceneState.phase == 0; }},
    {"particlePool",     [] { particlePool = {new Particle[3], 3}; },
                         [] { return particlePool.particles == nullptr && particlePool.particleCount == 0; }},
    {"randomState",      [] { randomState = 77; },              [] { return randomState == 1; }},
    {"frameClock",       [] { frameClock.updateCount = 9; },    [] { return frameClock.updateCount == 0; }},
    {"textureSet",       [] { textureSet.names[3] = 12; },      [] { return textureSet.names[3] == 0; }},
    {"bitmapSource",     [] { bitmapSource = noBitmaps; },      [] { return bitmapSource == productBitmapSource; }},
    {"sharedFrameList",  [] { sharedFrameList = 5; },           [] { return sharedFrameList == 0; }},
    {"viewportWidth",    [] { viewportWidth = 640; },           [] { return viewportWidth == 0; }},
    {"viewportHeight",   [] { viewportHeight = 480; },          [] { return viewportHeight == 0; }},
    {"runMode",          [] { runMode = Saver; },               [] { return runMode == NoMode; }},
    {"runPlan",          [] { runPlan = {Saver, EndingInput::Everything, true}; },
                         [] { return runPlan.mode == Preview && runPlan.endsOn == EndingInput::KeysOnly &&
                                     !runPlan.showFps; }},
    {"activeFlag",       [] { activeFlag = 0; },                [] { return activeFlag == 1; }},
    {"keyDown",          [] { keyDown[escapeKey] = 1; },        [] { return keyDown[escapeKey] == 0; }},
    {"startCursor",      [] { startCursor = {3, 4}; },          [] { return startCursor.x == 0 && startCursor.y == 0; }},
    {"saverLoopRunning", [] { saverLoopRunning = true; },       [] { return !saverLoopRunning; }},
    {"showFrameRate",    [] { showFrameRate = true; },          [] { return !showFrameRate; }},
    {"settingsStore",    [] { settingsStore = {noRead, noWrite}; },
                         [] { return settingsStore.read == fileSettingsStore().read &&
                                     settingsStore.write == fileSettingsStore().write; }},
};
// clang-format on

} // namespace

TEST(ProcessState, TheResetNamesEveryGlobalOfTheLibrary) {
    const std::set<std::string> globals = libraryGlobals();
    ASSERT_TRUE(globals.contains("settings")) << "no listing of the library's globals in " NORWYN_CORE_SYMBOLS;
    std::set<std::string> named;
    for (const ProcessStatePart& part : processStateParts()) {
        named.insert(part.name);
        EXPECT_TRUE(part.reset || part.keptBecause) << part.name << " is neither reset nor kept for a reason";
    }
    for (const std::string& global : globals)
        EXPECT_TRUE(named.contains(global)) << global << " is a global of the library that the reset leaves out";
    for (const std::string& name : named)
        EXPECT_TRUE(globals.contains(name)) << name << " is no global of the library";
}

TEST(ProcessState, TheResetGivesEachGlobalAFreshProcessValue) {
    for (const Dirtied& global : dirtiedGlobals)
        global.dirty();
    resetProcessState();
    for (const Dirtied& global : dirtiedGlobals)
        EXPECT_TRUE(global.fresh()) << global.name << " keeps an earlier test's value";

    std::set<std::string> dirtied;
    for (const Dirtied& global : dirtiedGlobals)
        dirtied.insert(global.name);
    for (const ProcessStatePart& part : processStateParts())
        EXPECT_TRUE(!part.reset || dirtied.contains(part.name)) << part.name << " is reset but never dirtied here";
}
