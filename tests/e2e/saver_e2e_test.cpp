// norwyn.scr as Windows starts it: each switch, real input, the registry it
// leaves behind.

#include "saver_process.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace {

constexpr DWORD opening = 30000; // a cold Wine may take a while to show the first window
constexpr DWORD ending = 10000;

class SaverE2e : public testing::Test {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override { deleteSettingsKey(); }
};

float storedFrames() {
    const std::optional<DWORD> bits = storedSetting("frames");
    return bits ? std::bit_cast<float>(*bits) : -1.0f;
}

TEST_F(SaverE2e, SwitchesThatDoNothingExitAtOnceWithoutAWindow) {
    for (const char* arguments : {"/x", "/", "/a 0", "-a:0", "/q 1234"}) {
        SCOPED_TRACE(arguments);
        SaverProcess saver(arguments);
        EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
        EXPECT_EQ(FindWindowA("OpenGL", nullptr), nullptr);
    }
    EXPECT_EQ(storedValueCount(), 0);
}

TEST_F(SaverE2e, TheSaverCoversTheScreenAndEndsOnAKey) {
    SaverProcess saver("/s");
    const HWND window = waitForSaverWindow(opening);
    ASSERT_NE(window, nullptr);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Fan Tarvek Screensaver V0.1");
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    Sleep(1500);
    ASSERT_TRUE(saver.running());
    pressKey(VK_SPACE);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    EXPECT_GT(storedFrames(), 0.0f);
    EXPECT_EQ(storedValueCount(), 1);
}

TEST_F(SaverE2e, TheMouseMayMoveFiftyPixelsButNotFiftyOne) {
    moveMouseTo(400, 300);
    SaverProcess saver("/s");
    ASSERT_NE(waitForSaverWindow(opening), nullptr);
    Sleep(1000);
    moveMouseTo(450, 350);
    Sleep(1000);
    moveMouseTo(350, 250);
    Sleep(1000);
    EXPECT_TRUE(saver.running());
    moveMouseTo(451, 300);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
}

TEST_F(SaverE2e, SmallMovesThatAddUpEndTheSaver) {
    moveMouseTo(400, 300);
    SaverProcess saver("/s");
    ASSERT_NE(waitForSaverWindow(opening), nullptr);
    Sleep(1000);
    for (int step = 1; step <= 5; ++step) {
        moveMouseTo(400 + 10 * step, 300);
        Sleep(200);
    }
    EXPECT_TRUE(saver.running());
    moveMouseTo(460, 300);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
}

TEST_F(SaverE2e, AClickEndsTheSaver) {
    moveMouseTo(400, 300);
    SaverProcess saver("/s");
    ASSERT_NE(waitForSaverWindow(opening), nullptr);
    Sleep(1000);
    click();
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    EXPECT_GT(storedFrames(), 0.0f);
}

TEST_F(SaverE2e, EscapeEndsTheSaverAndStoresTheFrameRate) {
    storeSetting("frames", std::bit_cast<DWORD>(1000.0f));
    SaverProcess saver("-S");
    ASSERT_NE(waitForSaverWindow(opening), nullptr);
    Sleep(1500);
    pressKey(VK_ESCAPE);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    // The stored average was blended with this run's rates.
    const float frames = storedFrames();
    EXPECT_GT(frames, 0.0f);
    EXPECT_NE(frames, 1000.0f);
}

// A stand-in for the display settings' preview area.
class PreviewParent {
public:
    PreviewParent() {
        window = CreateWindowExA(0, "STATIC", "Vista previa", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 240,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~PreviewParent() {
        if (IsWindow(window))
            DestroyWindow(window);
    }
    std::string handleArgument(const char* format) const {
        char text[64];
        snprintf(text, sizeof text, format, static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
        return text;
    }
    HWND window;
};

void pumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
}

TEST_F(SaverE2e, ThePreviewDrawsInAChildOfItsParentAndEndsOnAKeyOnly) {
    PreviewParent parent;
    ASSERT_NE(parent.window, nullptr);
    SaverProcess saver(parent.handleArgument("/p %llu"));
    const HWND child = waitForSaverWindow(opening, parent.window);
    ASSERT_NE(child, nullptr);
    pumpFor(1000);
    EXPECT_TRUE(IsWindowVisible(child));
    RECT outer, inner;
    GetWindowRect(parent.window, &outer);
    GetWindowRect(child, &inner);
    EXPECT_EQ(inner.right - inner.left, outer.right - outer.left);
    EXPECT_EQ(inner.bottom - inner.top, outer.bottom - outer.top);

    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    pumpFor(1000);
    EXPECT_TRUE(saver.running()) << "a click does not end the preview";

    PostMessageA(child, WM_KEYDOWN, 'A', 0);
    std::optional<DWORD> code;
    for (int wait = 0; wait < 100 && !code; ++wait) {
        pumpFor(100);
        code = saver.waitForExit(0);
    }
    EXPECT_EQ(code, std::optional<DWORD>(0));
    EXPECT_EQ(storedValueCount(), 0) << "a preview stores nothing";
}

TEST_F(SaverE2e, DestroyingThePreviewAreaEndsThePreview) {
    PreviewParent parent;
    SaverProcess saver(parent.handleArgument("/p:%llu"));
    ASSERT_NE(waitForSaverWindow(opening, parent.window), nullptr);
    pumpFor(1000);
    DestroyWindow(parent.window);
    std::optional<DWORD> code;
    for (int wait = 0; wait < 50 && !code; ++wait) {
        pumpFor(100);
        code = saver.waitForExit(0);
    }
    EXPECT_EQ(code, std::optional<DWORD>(0));
    EXPECT_EQ(storedValueCount(), 0);
}

TEST_F(SaverE2e, APreviewWithoutAParentEndsWithZero) {
    // The opening fails and says so in a box; its caption tells it apart.
    SaverProcess saver("/p 0");
    HWND box = nullptr;
    for (int poll = 0; poll < 300 && !box; ++poll) {
        box = FindWindowA(nullptr, "ERROR");
        Sleep(100);
    }
    ASSERT_NE(box, nullptr);
    char text[128] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "Window Creation Error.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    EXPECT_EQ(storedValueCount(), 0);
}

} // namespace
