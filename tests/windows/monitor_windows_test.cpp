// The windows over the other monitors, in process under Wine beside the
// scene's own window: each shows the scene through a context that shares the
// scene's lists, at its own size; one whose pixel format another party took
// stays a black cover with no box shown while the others run; input on any
// of them ends the run. The monitors are rectangles outside the screen, as
// the display gives no second monitor here; the end-to-end monitor test
// looks at real ones.

#include "gl/gl_headers.h"
#include "gl/gl_window_win32.h"
#include "shell/monitor_windows_win32.h"
#include "shell/shell_win32.h"

#include "off_screen_win32.h"
#include "pixel_format_win32.h"
#include "saver_window_test_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Whether each monitor window, in the order of their creation, has its pixel
// format taken before the product sets one.
std::vector<bool> spoilPlan;
size_t monitorWindowsCreated = 0;
HHOOK createHook = nullptr;

LRESULT CALLBACK spoilOnCreate(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    char className[64] = {};
    if (code == HC_ACTION && call->message == WM_CREATE && GetClassNameA(call->hwnd, className, sizeof className) &&
        std::string(className) == monitorClassName) {
        const size_t index = monitorWindowsCreated++;
        if (index < spoilPlan.size() && spoilPlan[index]) {
            EXPECT_TRUE(setAnotherPixelFormat(call->hwnd)) << "monitor " << index;
        }
    }
    return CallNextHookEx(createHook, code, wParam, lParam);
}

struct Monitor {
    int width, height;
    bool spoiled; // its pixel format taken before the product sets one
};

std::vector<RECT> monitorRects(const std::vector<Monitor>& monitors) {
    std::vector<RECT> rects;
    for (const Monitor& monitor : monitors)
        rects.push_back(offScreenRect(monitor.width, monitor.height));
    return rects;
}

class MonitorWindowsTest : public SaverWindowTest {
protected:
    void SetUp() override {
        SaverWindowTest::SetUp();
        ASSERT_TRUE(openSaverWindow("t", windowRect(), 16));
        createHook = SetWindowsHookExA(WH_CALLWNDPROCRET, spoilOnCreate, nullptr, GetCurrentThreadId());
        ASSERT_NE(createHook, nullptr);
    }
    void TearDown() override {
        UnhookWindowsHookEx(createHook);
        closeMonitorWindows();
        closeSaverWindow();
        SaverWindowTest::TearDown();
    }

    void open(const std::vector<Monitor>& monitors) {
        spoilPlan.clear();
        for (const Monitor& monitor : monitors)
            spoilPlan.push_back(monitor.spoiled);
        monitorWindowsCreated = 0;
        openMonitorWindows(monitorRects(monitors), 16);
        ASSERT_EQ(monitorWindowsCreated, monitors.size());
    }
};

TEST_F(MonitorWindowsTest, EachMonitorShowsTheSceneAtItsSizeOrStaysBlack) {
    struct Case {
        const char* name;
        std::vector<Monitor> monitors;
    };
    const Case cases[] = {
        {"two monitors", {{640, 480, false}, {320, 200, false}}},
        {"the first spoiled", {{640, 480, true}, {320, 200, false}}},
        {"the middle one spoiled", {{300, 400, false}, {640, 480, true}, {128, 72, false}}},
        {"every one spoiled", {{640, 480, true}, {320, 200, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A list the scene's context made, which every monitor's context must know.
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glEndList();
        open(c.monitors);
        EXPECT_EQ(wglGetCurrentContext(), renderingContext) << "the scene's context stays current";

        std::vector<std::pair<int, int>> sceneSizes, shownSizes;
        for (const Monitor& monitor : c.monitors)
            if (!monitor.spoiled)
                sceneSizes.emplace_back(monitor.width, monitor.height);
        ASSERT_EQ(monitorSurfaces.count(), static_cast<int>(sceneSizes.size()));
        for (int index = 0; index < monitorSurfaces.count(); ++index) {
            int width = 0, height = 0;
            ASSERT_TRUE(monitorSurfaces.makeCurrent(index, &width, &height)) << index;
            EXPECT_NE(wglGetCurrentContext(), renderingContext) << index;
            EXPECT_TRUE(glIsList(list)) << "monitor " << index << " shares the scene's lists";
            shownSizes.emplace_back(width, height);
        }
        monitorSurfaces.makeFirstCurrent();
        EXPECT_EQ(wglGetCurrentContext(), renderingContext);
        EXPECT_EQ(shownSizes, sceneSizes);

        ASSERT_EQ(monitorWindows.size(), c.monitors.size()) << "a spoiled monitor keeps its black window";
        for (const MonitorWindow& monitor : monitorWindows)
            EXPECT_TRUE(IsWindowVisible(monitor.window));
        EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{}) << "a monitor shows no box";

        std::vector<HWND> opened;
        for (const MonitorWindow& monitor : monitorWindows)
            opened.push_back(monitor.window);
        closeMonitorWindows();
        for (HWND window : opened)
            EXPECT_FALSE(IsWindow(window));
        WNDCLASSA info;
        EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), monitorClassName, &info));
        glDeleteLists(list, 1);
    }
}

// What the test posts to which monitor window once the loop has drawn.
UINT endingMessage = 0;
HWND endingWindow = nullptr;

void postTheEndingMessage() {
    PostMessageA(endingWindow, endingMessage, endingMessage == WM_KEYDOWN ? VK_SPACE : 0, 0);
}

void CALLBACK giveUp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostQuitMessage(99);
}

// The loop runs on with a black cover beside the scene's monitors, and ends on
// input that reaches any monitor window as on the scene's own.
TEST_F(MonitorWindowsTest, InputOnAnyMonitorWindowEndsTheRun) {
    struct Case {
        const char* name;
        UINT message;
        bool toTheCover; // else to a monitor that shows the scene
    };
    const Case cases[] = {
        {"a key on a monitor that shows the scene", WM_KEYDOWN, false},
        {"a click on a monitor that shows the scene", WM_LBUTTONDOWN, false},
        {"a click on a black cover", WM_RBUTTONDOWN, true},
        {"a close of a black cover", WM_CLOSE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open({{320, 240, false}, {200, 300, true}, {160, 90, false}});
        ASSERT_EQ(monitorSurfaces.count(), 2);
        endingMessage = c.message;
        endingWindow = monitorWindows[c.toTheCover ? 2 : 1].window;
        afterFrames(5, postTheEndingMessage);
        const UINT_PTR timer = SetTimer(nullptr, 0, 30000, giveUp);
        const int framesBefore = framesDrawn();
        EXPECT_EQ(saverLoop(), 0);
        KillTimer(nullptr, timer);
        EXPECT_GE(framesDrawn() - framesBefore, 5);
        EXPECT_EQ(wglGetCurrentContext(), renderingContext) << "the loop ends in the scene's context";
        closeMonitorWindows();
        keyDown[VK_SPACE] = 0;
    }
}

} // namespace
