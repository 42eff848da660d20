// A whole run over a scripted platform: what happens after the loop, in order.
// The platform's steps go into the memory store's log beside its writes.

#include "settings/settings_store.h"
#include "shell/saver_run.h"

#include "memory_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool openScripted() {
    memoryStore.log.push_back("open");
    return true;
}

EventPoll quitAtOnce(int* exitCode) {
    *exitCode = 5;
    return EventPoll::Quit;
}

void swapNothing() {
}

void closeScripted() {
    memoryStore.log.push_back("close");
}

void loopEnded() {
    memoryStore.log.push_back("loop ended");
}

TEST(SaverRun, AFullScreenRunEndsItsLoopThenStoresFramesThenCloses) {
    struct Case {
        RunMode mode;
        void (*onLoopEnd)();
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {Saver, loopEnded, {"open", "loop ended", "write frames", "close"}},
        {Saver, nullptr, {"open", "write frames", "close"}},
        {Preview, loopEnded, {"open", "loop ended", "close"}},
    };
    for (const Case& c : cases) {
        memoryStore = MemoryStore{};
        settingsStore = memorySettingsStore();
        const RunPlatform platform = {openScripted, {quitAtOnce, swapNothing, nullptr}, closeScripted, 1, c.onLoopEnd};
        EXPECT_EQ(runSaver(platform, {c.mode, EndingInput::Everything, false}), 5);
        EXPECT_EQ(memoryStore.log, c.expected) << "mode " << c.mode;
    }
}

} // namespace
