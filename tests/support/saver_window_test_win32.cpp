#include "saver_window_test_win32.h"

#include "cursor_win32.h"
#include "off_screen_win32.h"

#include "gl/bitmap_source_win32.h"
#include "gl/gl_window_win32.h"
#include "gl/texture_set.h"
#include "scene/frame_clock.h"
#include "shell/run_mode.h"
#include "shell/saver_loop.h"
#include "shell/shell_win32.h"

#include <utility>

namespace {

constexpr int framesBeforeTheKey = 10; // what a run draws before its key
constexpr UINT watchTick = 10;         // milliseconds between two looks at the frame count
constexpr UINT patience = 30000;       // after which a run that did not end is ended

// The frame clock of the tests: the system's counter, as the product reads
// it, with the readings taken inside the loop counted. Within the loop only
// renderFrame reads the clock, once a frame.
int loopReadings = 0;

bool countedFrequency(int64_t* frequency) {
    return platformTimeSource.queryFrequency(frequency);
}

void countedCounter(int64_t* counter) {
    if (saverLoopRunning)
        ++loopReadings;
    platformTimeSource.queryCounter(counter);
}

uint32_t countedMilliseconds() {
    if (saverLoopRunning)
        ++loopReadings;
    return platformTimeSource.milliseconds();
}

constexpr TimeSource countingTimeSource = {countedFrequency, countedCounter, countedMilliseconds};

std::function<void()> watchAction;
int watchedFrames = 0; // the count at which the action runs
UINT_PTR watchTimer = 0;

void CALLBACK lookAtTheFrames(HWND, UINT, UINT_PTR, DWORD) {
    if (loopReadings < watchedFrames)
        return;
    KillTimer(nullptr, watchTimer);
    watchTimer = 0;
    const std::function<void()> action = std::exchange(watchAction, nullptr);
    if (action)
        action();
}

std::function<void()> justBeforeTheKey;
bool keyPressed = false;
bool gaveUp = false;
UINT_PTR giveUpTimer = 0;

void pressAKey() {
    keyPressed = true;
    if (justBeforeTheKey)
        justBeforeTheKey();
    PostMessageA(saverWindow, WM_KEYDOWN, VK_SPACE, 0);
}

void CALLBACK giveUp(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, giveUpTimer);
    gaveUp = true;
    PostQuitMessage(99);
}

} // namespace

bool windowClassRegistered() {
    WNDCLASSA info;
    return GetClassInfoA(GetModuleHandleA(nullptr), windowClassName, &info) != 0;
}

bool drainMessages() {
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        quit = quit || message.message == WM_QUIT;
    return quit;
}

void SaverWindowTest::SetUp() {
    startCapturingErrorBoxes();
    bitmapSource = loadBitmapPixels;
    parentWindow = nullptr;
    runMode = Saver;
    cursorsAtStart = cursorDisplayCount();
    loopReadings = 0;
    frameClock = FrameClock(countingTimeSource);
}

void SaverWindowTest::TearDown() {
    stopWatchingFrames();
    if (saverWindow || renderingContext || deviceContext) {
        ADD_FAILURE() << "the test left the saver's window open";
        closeSaverWindow();
    }
    if (windowClassRegistered())
        UnregisterClassA(windowClassName, GetModuleHandleA(nullptr));
    parentWindow = nullptr;
    drainMessages();
    restoreCursorDisplayCount(cursorsAtStart);
    EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{}) << "boxes the test did not look at";
    frameClock = FrameClock{};
}

RECT SaverWindowTest::windowRect() {
    return offScreenRect(96, 64);
}

int SaverWindowTest::framesDrawn() {
    return loopReadings;
}

void SaverWindowTest::afterFrames(int frames, const std::function<void()>& action) {
    stopWatchingFrames();
    watchAction = action;
    watchedFrames = loopReadings + frames;
    watchTimer = SetTimer(nullptr, 0, watchTick, lookAtTheFrames);
}

void SaverWindowTest::stopWatchingFrames() {
    if (watchTimer)
        KillTimer(nullptr, watchTimer);
    watchTimer = 0;
    watchAction = nullptr;
}

int SaverWindowTest::runUntilAKey(const std::function<void()>& atTheKey) {
    justBeforeTheKey = atTheKey;
    keyPressed = gaveUp = false;
    const int framesBefore = framesDrawn();
    afterFrames(framesBeforeTheKey, pressAKey);
    giveUpTimer = SetTimer(nullptr, 0, patience, giveUp);
    const int exitCode = runSaver();
    stopWatchingFrames();
    KillTimer(nullptr, giveUpTimer);
    justBeforeTheKey = nullptr;
    EXPECT_TRUE(keyPressed) << "the run ended before its key, after " << framesDrawn() - framesBefore << " frames";
    EXPECT_FALSE(gaveUp) << "the run did not end on its key";
    EXPECT_EQ(saverWindow, nullptr);
    EXPECT_EQ(renderingContext, nullptr);
    EXPECT_FALSE(windowClassRegistered());
    return exitCode;
}
