// norwyn on a real X server (the one in $DISPLAY; scripts/test runs Xvfb):
// in a window of its own, in a window someone else made with a visual of
// their choosing (one GL can draw the scene on, or one without a depth
// buffer, as XScreenSaver's preview has without xscreensaver-gl), and on the
// daemon's window, judged by what reaches the screen and by how and when it
// ends.

#include "norwyn_process.h"

// GoogleTest before Xlib, whose None would otherwise clash with its own.
#include <gtest/gtest.h>

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds within = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + within;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

class XTest : public testing::Test {
public:
    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        // An X server that has just lost its last client (the previous
        // test's) resets, and turns away whoever connects meanwhile: the
        // connection is tried again until the server lets it in.
        ASSERT_TRUE(eventually([&] { return (display = XOpenDisplay(nullptr)) != nullptr; }, 30s))
            << "the X server in $DISPLAY lets no client in";
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    void TearDown() override {
        if (display)
            XCloseDisplay(display);
    }

    // The given window grows to 640x480, and the picture fills it on drawn:
    // the window itself, or norwyn's child in it.
    void growWindow(Window window, Window drawn, NorwynProcess& norwyn) {
        XResizeWindow(display, window, 640, 480);
        XSync(display, False);
        EXPECT_TRUE(eventually([&] { return litShare(drawn, 320, 240, 320, 240) > 0.9; }))
            << "the picture fills the grown window";
        EXPECT_TRUE(norwyn.running());
    }

    // A given window that goes away ends the run, quietly.
    void destroyWindowEndsRun(Window window, NorwynProcess& norwyn) {
        XDestroyWindow(display, window);
        XSync(display, False);
        EXPECT_EQ(norwyn.waitForExit(3000), 0);
        EXPECT_EQ(norwyn.errors(), "");
    }

    // A mapped window of the visual and size, as a daemon or a preview makes it.
    Window makeWindow(Visual* visual, int depth, int width, int height) {
        const Window root = DefaultRootWindow(display);
        XSetWindowAttributes attributes = {};
        attributes.colormap = XCreateColormap(display, root, visual, AllocNone);
        attributes.border_pixel = 0;
        attributes.background_pixel = 0;
        const Window window = XCreateWindow(display, root, 0, 0, width, height, 0, depth, InputOutput, visual,
                                            CWColormap | CWBorderPixel | CWBackPixel, &attributes);
        XMapWindow(display, window);
        XSync(display, False);
        return window;
    }

    // The share of pixels in the rectangle that are not black.
    double litShare(Window window, int x, int y, int width, int height) {
        XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        int lit = 0;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                lit += (XGetPixel(image, column, row) & 0xFFFFFF) != 0;
        XDestroyImage(image);
        return static_cast<double>(lit) / (width * height);
    }

    // A visual of this screen, other than the default one, that GLX can draw
    // the scene on (double-buffered, with a depth buffer) or cannot.
    XVisualInfo otherVisual(bool drawable) {
        XVisualInfo wanted = {}, chosen = {};
        int count = 0;
        XVisualInfo* visuals = XGetVisualInfo(display, 0, &wanted, &count);
        const VisualID standard = XVisualIDFromVisual(DefaultVisual(display, DefaultScreen(display)));
        for (int index = 0; index < count && !chosen.visual; ++index) {
            int doubleBuffer = 0, depthBits = 0;
            glXGetConfig(display, &visuals[index], GLX_DOUBLEBUFFER, &doubleBuffer);
            glXGetConfig(display, &visuals[index], GLX_DEPTH_SIZE, &depthBits);
            if (visuals[index].visualid != standard && visuals[index].c_class == TrueColor &&
                (doubleBuffer && depthBits >= 16) == drawable)
                chosen = visuals[index];
        }
        XFree(visuals);
        return chosen;
    }

    std::vector<Window> childrenOf(Window window) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        std::vector<Window> found;
        if (XQueryTree(display, window, &root, &parent, &children, &count) && children)
            found.assign(children, children + count);
        if (children)
            XFree(children);
        return found;
    }

    std::string hexId(Window window) {
        char hex[32];
        std::snprintf(hex, sizeof hex, "0x%lx", window);
        return hex;
    }

    // norwyn's own top-level window: the one whose _NET_WM_PID is the process's.
    Window ownWindowOf(pid_t pid) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
        for (unsigned index = 0; index < count && !found; ++index) {
            Atom type;
            int format;
            unsigned long items, left;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display, children[index], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                                   &left, &data) == Success &&
                data && items == 1 && *reinterpret_cast<long*>(data) == pid)
                found = children[index];
            if (data)
                XFree(data);
        }
        if (children)
            XFree(children);
        return found;
    }

    void pressKey(Window window, KeySym symbol, unsigned state = 0) {
        XEvent event = {};
        event.xkey.type = KeyPress;
        event.xkey.display = display;
        event.xkey.window = window;
        event.xkey.root = DefaultRootWindow(display);
        event.xkey.keycode = XKeysymToKeycode(display, symbol);
        event.xkey.state = state;
        event.xkey.same_screen = True;
        XSendEvent(display, window, True, KeyPressMask, &event);
        XSync(display, False);
    }

    void closeFromTheWindowManager(Window window) {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, window, False, NoEventMask, &event);
        XSync(display, False);
    }

    Display* display = nullptr;
    ConfigFolder config;
};

// How a user ends norwyn in its own window: q, Escape, Ctrl-C or the
// window manager's close; a space before it must not.
struct Ending {
    const char* name;
    std::function<void(XTest&, Window)> end;
};

class OwnWindowEnding : public XTest, public testing::WithParamInterface<int> {};

const Ending endings[] = {
    {"q", [](XTest& test, Window window) { test.pressKey(window, XK_q); }},
    {"Escape", [](XTest& test, Window window) { test.pressKey(window, XK_Escape); }},
    {"CtrlC", [](XTest& test, Window window) { test.pressKey(window, XK_c, ControlMask); }},
    {"close", [](XTest& test, Window window) { test.closeFromTheWindowManager(window); }},
};

TEST_P(OwnWindowEnding, EndsWithZero) {
    NorwynProcess norwyn({"--window", "--geometry", "480x270"}, config);
    Window window = 0;
    ASSERT_TRUE(eventually([&] { return (window = ownWindowOf(norwyn.id())) != 0; }));
    char* title = nullptr;
    XFetchName(display, window, &title);
    EXPECT_STREQ(title, "Fan Tarvek Screensaver V0.1");
    XFree(title);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    EXPECT_EQ(attributes.width, 480);
    EXPECT_EQ(attributes.height, 270);
    EXPECT_TRUE(eventually([&] { return litShare(window, 140, 35, 200, 200) > 0.9; })) << "the scene is drawn";

    pressKey(window, XK_space);
    EXPECT_FALSE(norwyn.waitForExit(300)) << "a space is left to the desktop";
    endings[GetParam()].end(*this, window);
    EXPECT_EQ(norwyn.waitForExit(3000), 0);
}

INSTANTIATE_TEST_SUITE_P(Endings, OwnWindowEnding, testing::Range(0, 4),
                         [](const testing::TestParamInfo<int>& info) { return endings[info.param].name; });

TEST_F(XTest, AGivenWindowOfAnotherVisualIsDrawnAndItsResizeFollowed) {
    const XVisualInfo visual = otherVisual(true);
    ASSERT_NE(visual.visual, nullptr) << "this X server offers no second GL visual";
    const Window window = makeWindow(visual.visual, visual.depth, 320, 240);
    // The settings preview passes both; the window id wins.
    NorwynProcess norwyn({"--root", "--window-id", std::to_string(window)}, config);
    EXPECT_TRUE(eventually([&] { return litShare(window, 0, 0, 320, 240) > 0.9; }));
    EXPECT_TRUE(childrenOf(window).empty()) << "a window whose visual suits the scene is drawn on directly";
    growWindow(window, window, norwyn);
    destroyWindowEndsRun(window, norwyn);
}

TEST_F(XTest, OnTheDaemonsWindowATermStopsItAtOnceAndStoresTheFrameRate) {
    const Screen* screen = DefaultScreenOfDisplay(display);
    const Window window = makeWindow(DefaultVisualOfScreen(screen), DefaultDepthOfScreen(screen), 320, 240);
    // Five seconds between frames: only a wait that a signal cuts short ends in time.
    NorwynProcess norwyn({"--root", "--delay", "5000000"}, config, {"XSCREENSAVER_WINDOW=" + hexId(window)});
    EXPECT_TRUE(eventually([&] { return litShare(window, 0, 0, 320, 240) > 0.9; }));
    std::this_thread::sleep_for(500ms);
    norwyn.signal(SIGTERM);
    EXPECT_EQ(norwyn.waitForExit(1000), 128 + SIGTERM) << "ended by the signal, once it had stored";
    EXPECT_NE(config.settingsText().find("frames = "), std::string::npos);
    XDestroyWindow(display, window);
}

// XScreenSaver's preview and daemon windows have the default visual, which
// without xscreensaver-gl has no depth buffer: norwyn draws in a child of its
// own that fills the window, while keys still reach whoever listens on it.
TEST_F(XTest, AWindowWithoutADepthBufferIsDrawnThroughAChildThatFollowsItsSize) {
    const XVisualInfo visual = otherVisual(false);
    ASSERT_NE(visual.visual, nullptr) << "this X server offers no visual without a double-buffered GL configuration";
    const Window window = makeWindow(visual.visual, visual.depth, 320, 240);
    XSelectInput(display, window, KeyPressMask);
    NorwynProcess norwyn({"--root"}, config, {"XSCREENSAVER_WINDOW=" + hexId(window)});
    Window child = 0;
    ASSERT_TRUE(eventually([&] {
        const std::vector<Window> children = childrenOf(window);
        child = children.size() == 1 ? children[0] : 0;
        return child != 0;
    })) << norwyn.errors();
    EXPECT_TRUE(eventually([&] { return litShare(child, 0, 0, 320, 240) > 0.9; })) << "the scene fills the window";

    growWindow(window, child, norwyn);
    XWindowAttributes attributes = {};
    EXPECT_TRUE(XGetWindowAttributes(display, child, &attributes) && attributes.width == 640 &&
                attributes.height == 480)
        << "the child follows the window's size";

    // Sent to the child as the keyboard would, a key travels on to the one
    // listener on the window above it, this test, unless norwyn's child takes it.
    pressKey(child, XK_a);
    XEvent event;
    EXPECT_TRUE(XCheckTypedEvent(display, KeyPress, &event)) << "the key reaches the given window";
    EXPECT_TRUE(norwyn.running());
    destroyWindowEndsRun(window, norwyn);
}

// A window that is not there, or one that can hold no picture, ends the run
// with a word on what is wrong and no X error.
TEST_F(XTest, NoWindowOrAnInputOnlyWindowIsToldPlainly) {
    XSetWindowAttributes none = {};
    const Window inputOnly =
        XCreateWindow(display, DefaultRootWindow(display), 0, 0, 64, 48, 0, 0, InputOnly, CopyFromParent, 0, &none);
    XMapWindow(display, inputOnly);
    XSync(display, False);
    for (const std::string& id : {std::string("0x7fffff0"), std::to_string(inputOnly)}) {
        SCOPED_TRACE(id);
        NorwynProcess norwyn({"--window-id", id}, config);
        EXPECT_EQ(norwyn.waitForExit(5000), 1);
        const std::string errors = norwyn.errors();
        EXPECT_NE(errors.find("norwyn: "), std::string::npos);
        EXPECT_EQ(errors.find("X Error"), std::string::npos) << errors;
    }
    XDestroyWindow(display, inputOnly);
}

} // namespace
