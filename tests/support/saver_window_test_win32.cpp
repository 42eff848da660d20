#include "saver_window_test_win32.h"

#include "cursor_win32.h"
#include "off_screen_win32.h"

#include "gl/bitmap_source_win32.h"
#include "gl/gl_window_win32.h"
#include "gl/texture_set.h"
#include "shell/run_mode.h"
#include "shell/shell_win32.h"

namespace {

constexpr UINT drawingTime = 700; // milliseconds a run draws before its key
constexpr UINT patience = 30000;  // after which a run that did not end is ended

std::function<void()> justBeforeTheKey;
bool keyPressed = false;
bool gaveUp = false;
UINT_PTR keyTimer = 0;
UINT_PTR giveUpTimer = 0;

void CALLBACK pressAKey(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, keyTimer);
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
}

void SaverWindowTest::TearDown() {
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
}

RECT SaverWindowTest::windowRect() {
    return offScreenRect(96, 64);
}

int SaverWindowTest::runUntilAKey(const std::function<void()>& atTheKey) {
    justBeforeTheKey = atTheKey;
    keyPressed = gaveUp = false;
    keyTimer = SetTimer(nullptr, 0, drawingTime, pressAKey);
    giveUpTimer = SetTimer(nullptr, 0, patience, giveUp);
    const int exitCode = runSaver();
    KillTimer(nullptr, keyTimer);
    KillTimer(nullptr, giveUpTimer);
    justBeforeTheKey = nullptr;
    EXPECT_TRUE(keyPressed) << "the run ended before its key";
    EXPECT_FALSE(gaveUp) << "the run did not end on its key";
    EXPECT_EQ(saverWindow, nullptr);
    EXPECT_EQ(renderingContext, nullptr);
    EXPECT_FALSE(windowClassRegistered());
    return exitCode;
}
