// The saver window's procedure and its opening and closing, in process, with
// the error boxes captured instead of shown. What goes wrong in the opening
// and the closing is in window_faults_test.cpp.

#include "gl/gl_headers.h"
#include "gl/gl_state.h"
#include "gl/gl_window_win32.h"
#include "resources/resource_ids.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"
#include "shell/shell_win32.h"

#include "off_screen_win32.h"
#include "saver_window_test_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <vector>

namespace {

class WindowProcTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = windowClassName;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        const RECT rect = offScreenRect(64, 64);
        window = CreateWindowExA(0, windowClassName, "test", WS_POPUP, rect.left, rect.top, 64, 64, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        drainMessages();
        POINT cursor = {};
        GetCursorPos(&cursor);
        startCursor = {cursor.x, cursor.y};
    }
    void TearDown() override {
        DestroyWindow(window);
        UnregisterClassA(windowClassName, GetModuleHandleA(nullptr));
        drainMessages();
    }

    // Sends the message in the given mode: its result, and whether it ended the run.
    std::pair<LRESULT, bool> send(RunMode mode, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        runMode = mode;
        const LRESULT result = SendMessageA(window, message, wParam, lParam);
        return {result, drainMessages()};
    }

    HWND window = nullptr;
};

TEST_F(WindowProcTest, AnyKeyEndsBothModesAndSetsItsFlag) {
    for (RunMode mode : {Preview, Saver}) {
        EXPECT_EQ(send(mode, WM_KEYDOWN, 'A'), std::make_pair(LRESULT{0}, true));
        EXPECT_EQ(keyDown['A'], 1);
        EXPECT_EQ(send(mode, WM_KEYUP, 'A'), std::make_pair(LRESULT{0}, false));
        EXPECT_EQ(keyDown['A'], 0);
    }
    // A code beyond the key table still ends the run and touches no flag.
    EXPECT_EQ(send(Saver, WM_KEYDOWN, 0x1234), std::make_pair(LRESULT{0}, true));
}

TEST_F(WindowProcTest, CloseEndsTheRun) {
    EXPECT_EQ(send(Preview, WM_CLOSE), std::make_pair(LRESULT{0}, true));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowProcTest, ClicksEndOnlyAFullScreenRun) {
    for (UINT click : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        EXPECT_EQ(send(Saver, click), std::make_pair(LRESULT{0}, true));
        EXPECT_EQ(send(Preview, click), std::make_pair(LRESULT{0}, false));
    }
    EXPECT_FALSE(send(Saver, WM_LBUTTONUP).second);
    EXPECT_FALSE(send(Saver, WM_LBUTTONDBLCLK).second);
    EXPECT_FALSE(send(Saver, WM_MOUSEWHEEL, MAKEWPARAM(0, 120)).second);
}

TEST_F(WindowProcTest, SystemKeysEndNothing) {
    EXPECT_FALSE(send(Saver, WM_SYSKEYDOWN, VK_MENU).second);
    EXPECT_FALSE(send(Saver, WM_SYSKEYUP, VK_MENU).second);
}

// Wine's own handling of these two also returns 0 without a quit, so this
// only shows that the window procedure returns; which commands it refuses is
// held on the host.
TEST_F(WindowProcTest, TheSaverSwallowsScreenSaveAndMonitorPowerCommands) {
    EXPECT_EQ(send(Saver, WM_SYSCOMMAND, SC_SCREENSAVE), std::make_pair(LRESULT{0}, false));
    EXPECT_EQ(send(Saver, WM_SYSCOMMAND, SC_MONITORPOWER, 2), std::make_pair(LRESULT{0}, false));
}

TEST_F(WindowProcTest, OtherSystemCommandsTakeTheirDefaultCourse) {
    for (RunMode mode : {Saver, Preview}) {
        ShowWindow(window, SW_SHOWNORMAL);
        ASSERT_FALSE(IsIconic(window));
        send(mode, WM_SYSCOMMAND, SC_MINIMIZE);
        EXPECT_TRUE(IsIconic(window)) << mode;
    }
}

TEST_F(WindowProcTest, TheMouseMayWanderFiftyPixelsFromWhereItStarted) {
    SetCursorPos(300, 300);
    POINT start;
    GetCursorPos(&start);
    startCursor = {start.x, start.y};
    SetCursorPos(start.x + 50, start.y + 50);
    EXPECT_FALSE(send(Saver, WM_MOUSEMOVE).second);
    SetCursorPos(start.x + 51, start.y);
    EXPECT_TRUE(send(Saver, WM_MOUSEMOVE).second);
    EXPECT_FALSE(send(Preview, WM_MOUSEMOVE).second);
    SetCursorPos(start.x, start.y - 51);
    EXPECT_TRUE(send(Saver, WM_MOUSEMOVE).second);
    // Only the cursor counts, not the coordinates the message carries.
    SetCursorPos(start.x, start.y);
    EXPECT_FALSE(send(Saver, WM_MOUSEMOVE, 0, MAKELPARAM(2000, 2000)).second);
}

TEST_F(WindowProcTest, MinimisingStopsTheFrames) {
    EXPECT_EQ(send(Saver, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1)).first, 0);
    EXPECT_EQ(activeFlag, 0);
    send(Saver, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0));
    EXPECT_EQ(activeFlag, 1);
    send(Saver, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0)); // inactive but not minimised
    EXPECT_EQ(activeFlag, 1);
}

TEST_F(WindowProcTest, ADestroyedWindowEndsARunningLoop) {
    saverLoopRunning = false;
    EXPECT_FALSE(send(Preview, WM_DESTROY).second);
    saverLoopRunning = true;
    EXPECT_TRUE(send(Preview, WM_DESTROY).second);
}

using OpeningTest = SaverWindowTest;

TEST_F(OpeningTest, OpensAndClosesWithoutAMessage) {
    for (int opening = 0; opening < 2; ++opening) {
        ASSERT_TRUE(openSaverWindow(saverWindowTitle, windowRect(), 16));
        EXPECT_NE(saverWindow, nullptr);
        EXPECT_NE(renderingContext, nullptr);
        EXPECT_EQ(wglGetCurrentContext(), renderingContext);
        char name[32];
        GetClassNameA(saverWindow, name, sizeof name);
        EXPECT_STREQ(name, "OpenGL");
        EXPECT_EQ(GetWindowLongA(saverWindow, GWL_STYLE) & ~WS_VISIBLE,
                  static_cast<LONG>(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
        EXPECT_EQ(GetClassLongA(saverWindow, GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_OWNDC);
        closeSaverWindow();
        EXPECT_EQ(saverWindow, nullptr);
        EXPECT_EQ(deviceContext, nullptr);
        EXPECT_EQ(renderingContext, nullptr);
        EXPECT_FALSE(windowClassRegistered());
    }
    EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{});
}

TEST_F(OpeningTest, TheClassPixelFormatProjectionAndStateAreTheSaversOwn) {
    ASSERT_TRUE(openSaverWindow("t", windowRect(), 16));
    // The system itself drops WS_EX_WINDOWEDGE from a window without a frame.
    EXPECT_TRUE(GetWindowLongA(saverWindow, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(saverWindow, GCLP_HICON)),
              LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NORWYN)));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(saverWindow, GCLP_HCURSOR)), LoadCursorA(nullptr, IDC_ARROW));

    PIXELFORMATDESCRIPTOR format = {};
    ASSERT_NE(DescribePixelFormat(deviceContext, GetPixelFormat(deviceContext), sizeof format, &format), 0);
    const DWORD wanted = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(format.dwFlags & wanted, wanted);
    EXPECT_EQ(format.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GE(format.cDepthBits, 16);

    // A perspective's m[10] and m[14] give back its near and far planes.
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[14] / (projection[10] - 1), 0.1, 1e-6);
    EXPECT_NEAR(projection[14] / (projection[10] + 1), 100.0, 1e-2);
    EXPECT_NEAR(projection[5], 1 / std::tan(22.5 * 3.14159265358979 / 180), 1e-5);

    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    closeSaverWindow();
}

TEST_F(OpeningTest, APreviewIsAVisibleChildAsLargeAsItsParent) {
    HWND parent = createPreviewArea(200, 150);
    ASSERT_NE(parent, nullptr);
    runMode = Preview;
    parentWindow = parent;
    RECT outer;
    GetWindowRect(parent, &outer);
    ASSERT_TRUE(openSaverWindow("t", {0, 0, outer.right - outer.left, outer.bottom - outer.top}, 16));
    EXPECT_EQ(GetParent(saverWindow), parent);
    EXPECT_TRUE(IsWindowVisible(saverWindow));
    RECT child;
    GetWindowRect(saverWindow, &child);
    POINT origin = {0, 0};
    ClientToScreen(parent, &origin);
    EXPECT_EQ(child.left, origin.x);
    EXPECT_EQ(child.top, origin.y);
    EXPECT_EQ(child.right - child.left, outer.right - outer.left);
    EXPECT_EQ(child.bottom - child.top, outer.bottom - outer.top);
    closeSaverWindow();
    DestroyWindow(parent);
}

TEST_F(OpeningTest, AResizeOfTheWindowReachesTheViewport) {
    ASSERT_TRUE(openSaverWindow("t", windowRect(), 16));
    ASSERT_TRUE(SetWindowPos(saverWindow, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 200, 100}));
    closeSaverWindow();
}

TEST_F(OpeningTest, AHeightOfZeroGivesAOnePixelViewport) {
    ASSERT_TRUE(openSaverWindow("t", windowRect(), 16));
    resizeViewport(300, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 300);
    EXPECT_EQ(viewport[3], 1);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // For a perspective, m[0] = f / aspect and m[5] = f: their ratio is the aspect.
    EXPECT_NEAR(projection[5] / projection[0], 300.0, 1e-3);
    closeSaverWindow();
}

} // namespace
