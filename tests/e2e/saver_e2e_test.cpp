// norwyn.scr as Windows starts it: each switch, real input, the registry it
// leaves behind.

#include "saver_process.h"

#include "off_screen_win32.h"
#include "registry_win32.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD opening = 30000;  // a cold Wine may take a while to show the first window
constexpr DWORD ending = 30000;   // a loaded machine may take a while to close it all
constexpr int drawingRounds = 10; // rounds of the preview's loop before the input that ends it
constexpr int inputRounds = 3;    // rounds after which input given before them has been dispatched

class SaverE2e : public testing::Test {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override { deleteSettingsKey(); }
};

float storedFrames() {
    const std::optional<DWORD> bits = storedDword("frames");
    return bits ? std::bit_cast<float>(*bits) : -1.0f;
}

TEST_F(SaverE2e, SwitchesThatDoNothingExitAtOnceWithoutAWindow) {
    for (const char* arguments : {"/x", "/", "/a 0", "-a:0", "/q 1234"}) {
        SCOPED_TRACE(arguments);
        SaverProcess saver(arguments);
        EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
        EXPECT_EQ(FindWindowA("OpenGL", nullptr), nullptr);
    }
    EXPECT_TRUE(storedValues().empty());
}

// A full-screen run, the input that must not end it, and the input that does.
struct FullScreenRun {
    const char* name;
    const char* arguments;
    std::vector<std::pair<int, int>> keptMoves; // within fifty pixels of where the mouse started
    std::function<void()> ending;
};

void PrintTo(const FullScreenRun& run, std::ostream* out) {
    *out << run.name;
}

class FullScreen : public SaverE2e, public testing::WithParamInterface<FullScreenRun> {};

// It covers the screen, keeps going under the moves, ends with 0 on the
// input and blends this run's frame rate into the stored average.
TEST_P(FullScreen, CoversTheScreenUntilItsInputAndStoresTheFrameRate) {
    const FullScreenRun& run = GetParam();
    storeDword("frames", std::bit_cast<DWORD>(1000.0f));
    // Where the run starts counting the mouse's moves from.
    ASSERT_TRUE(placeCursor(400, 300, opening)) << "the cursor would not stay where it was put";
    SaverProcess saver(run.arguments);
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
    ASSERT_TRUE(frameOnScreen(window, opening)) << "the saver drew";
    for (const auto& [x, y] : run.keptMoves) {
        moveMouseTo(x, y);
        ASSERT_TRUE(placeCursor(x, y, ending)) << "the cursor would not stay at " << x << ", " << y;
        ASSERT_TRUE(loopGoesRound(window, inputRounds, ending))
            << "the saver stopped taking its messages after the move to " << x << ", " << y;
    }
    ASSERT_TRUE(saver.running());
    run.ending();
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    const float frames = storedFrames();
    EXPECT_GT(frames, 0.0f);
    EXPECT_NE(frames, 1000.0f);
    EXPECT_EQ(storedValues().size(), 1u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, FullScreen, testing::Values(
    FullScreenRun{"AKey", "/s", {}, [] { pressKey(VK_SPACE); }},
    FullScreenRun{"EscapeUnderTheUpperCaseSwitch", "-S", {}, [] { pressKey(VK_ESCAPE); }},
    FullScreenRun{"AClick", "/s", {}, [] { click(); }},
    FullScreenRun{"TheMouseFiftyOnePixelsAway", "/s", {{450, 350}, {350, 250}}, [] { EXPECT_TRUE(placeCursor(451, 300, ending)); }},
    FullScreenRun{"SmallMovesThatAddUp", "/s", {{410, 300}, {420, 300}, {430, 300}, {440, 300}, {450, 300}},
                  [] { EXPECT_TRUE(placeCursor(460, 300, ending)); }}),
    [](const testing::TestParamInfo<FullScreenRun>& info) { return std::string(info.param.name); });
// clang-format on

// A stand-in for the display settings' preview area, and the switch that
// names it.
class PreviewParent {
public:
    PreviewParent() : window(createPreviewArea(320, 240)) {}
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

TEST_F(SaverE2e, ThePreviewDrawsInAChildOfItsParentAndEndsOnAKeyOnly) {
    PreviewParent parent;
    ASSERT_NE(parent.window, nullptr);
    SaverProcess saver(parent.handleArgument("/p %llu"));
    const HWND child = waitForSaverWindow(opening, parent.window);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(loopGoesRound(child, drawingRounds, opening)) << "the preview drew";
    EXPECT_TRUE(IsWindowVisible(child));
    RECT outer, inner;
    GetWindowRect(parent.window, &outer);
    GetWindowRect(child, &inner);
    EXPECT_EQ(inner.right - inner.left, outer.right - outer.left);
    EXPECT_EQ(inner.bottom - inner.top, outer.bottom - outer.top);

    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(loopGoesRound(child, inputRounds, ending)) << "a click does not end the preview";
    EXPECT_TRUE(saver.running()) << "a click does not end the preview";

    PostMessageA(child, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(waitForExitPumping(saver, ending), std::optional<DWORD>(0));
    EXPECT_TRUE(storedValues().empty()) << "a preview stores nothing";
}

TEST_F(SaverE2e, DestroyingThePreviewAreaEndsThePreview) {
    PreviewParent parent;
    SaverProcess saver(parent.handleArgument("/p:%llu"));
    const HWND child = waitForSaverWindow(opening, parent.window);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(loopGoesRound(child, drawingRounds, opening)) << "the preview drew";
    DestroyWindow(parent.window);
    EXPECT_EQ(waitForExitPumping(saver, ending / 2), std::optional<DWORD>(0));
    EXPECT_TRUE(storedValues().empty());
}

TEST_F(SaverE2e, APreviewWithoutAParentEndsWithZero) {
    // The opening fails and says so in a box; its caption tells it apart.
    SaverProcess saver("/p 0");
    // The box takes its caption before its text, and shows once it has both.
    HWND box = nullptr;
    const DWORD start = GetTickCount();
    while (!box && GetTickCount() - start < opening) {
        box = FindWindowA(nullptr, "ERROR");
        if (box && !IsWindowVisible(box))
            box = nullptr;
        if (!box)
            Sleep(100);
    }
    ASSERT_NE(box, nullptr);
    char text[128] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "Window Creation Error.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    EXPECT_TRUE(storedValues().empty());
}

} // namespace
