// The X11 side of a run: X events become the run's input reports, the window
// the options name is opened with GLX, and a lost X server ends the run. It
// never grabs input nor watches for user activity: under a daemon, the
// daemon does both and ends the run with SIGTERM.

#include "shell/saver_backends_posix.h"

#include "gl/gl_window_x11.h"
#include "settings/settings_store.h"
#include "shell/run_mode.h"
#include "shell/run_plan.h"
#include "shell/saver_run.h"
#include "shell/saver_run_posix.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

const HackOptions* runOptions = nullptr;
int argumentCount = 0;
char** arguments = nullptr;

bool windowGone = false;
Atom protocolsAtom = 0, deleteWindowAtom = 0;

// An X error on our window (or on the child that draws for it) means it has
// just gone away: the window's end, not the program's, which Xlib's default
// handler would make it without storing anything.
int noteXError(Display*, XErrorEvent* error) {
    if (error->resourceid == saverWindow || error->resourceid == drawingWindow)
        windowGone = true;
    return 0;
}

[[noreturn]] int connectionLost(Display*) {
    std::fprintf(stderr, "norwyn: lost the connection to the X server\n");
    if (runMode == Saver)
        saveFrames();
    std::_Exit(1);
}

void handleKeyPress(XKeyEvent& key) {
    char typed = 0;
    KeySym symbol = NoSymbol;
    XLookupString(&key, &typed, 1, &symbol, nullptr);
    reportKey(typed);
}

void handleEvent(XEvent& event) {
    switch (event.type) {
    case ConfigureNotify:
        if (event.xconfigure.window == saverWindow) {
            followGivenWindowSize(event.xconfigure.width, event.xconfigure.height);
            reportResize(event.xconfigure.width, event.xconfigure.height);
        }
        break;
    case MapNotify:
        activeFlag = 1;
        break;
    case UnmapNotify:
        activeFlag = 0;
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == saverWindow) {
            windowGone = true;
            reportClose();
        }
        break;
    case KeyPress:
        handleKeyPress(event.xkey);
        break;
    case ClientMessage:
        if (event.xclient.message_type == protocolsAtom &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindowAtom)
            reportClose();
        break;
    default:
        break;
    }
}

EventPoll pollX11Event(int* exitCode) {
    if (windowGone)
        reportClose();
    if (runEnding(exitCode))
        return EventPoll::Quit;
    if (!XPending(display))
        return EventPoll::Empty;
    XEvent event;
    XNextEvent(display, &event);
    handleEvent(event);
    return EventPoll::Handled;
}

void swapX11Buffers() {
    if (!windowGone)
        swapWindowBuffers();
}

void paceX11Frames() {
    waitForNextFrame(-1, nullptr, nullptr);
}

// The window the daemon names, or the root window when no daemon names one.
bool daemonWindow(Window& window) {
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    uint64_t id = 0;
    if (named && *named) {
        if (!parseWindowId(named, id)) {
            std::fprintf(stderr, "norwyn: XSCREENSAVER_WINDOW holds no window id\n");
            return false;
        }
        window = static_cast<Window>(id);
        return true;
    }
    window = DefaultRootWindow(display);
    return true;
}

bool openWindow() {
    Window window = 0;
    switch (runOptions->target) {
    case DrawTarget::OwnWindow:
        protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
        deleteWindowAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
        return openOwnWindow(saverWindowTitle, runOptions->geometry, argumentCount, arguments);
    case DrawTarget::GivenWindow:
        return openGivenWindow(static_cast<Window>(runOptions->windowId));
    case DrawTarget::Root:
        return daemonWindow(window) && openGivenWindow(window);
    case DrawTarget::Wallpaper:
        std::fprintf(stderr, "norwyn: --wallpaper draws only on Wayland\n");
        return false;
    }
    return false;
}

void closeX11Run() {
    if (windowGone)
        saverWindow = 0;
    closeSaverWindow();
}

bool openX11Run() {
    if (openWindow() && prepareGl(windowWidth, windowHeight))
        return true;
    closeX11Run();
    return false;
}

// Why no X display opened: with no name anywhere, which variables are
// missing, since X11 is only the last resort of a session that has neither.
void tellNoDisplay(const HackOptions& options) {
    const char* named = options.display.empty() ? std::getenv("DISPLAY") : options.display.c_str();
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (named && *named)
        std::fprintf(stderr, "norwyn: cannot open display \"%s\"\n", named);
    else if (wayland && *wayland)
        std::fprintf(stderr, "norwyn: an X window was asked for, but DISPLAY is not set\n");
    else
        std::fprintf(stderr, "norwyn: neither DISPLAY nor WAYLAND_DISPLAY is set, so there is no display to draw on\n");
}

} // namespace

int runX11Saver(const HackOptions& options, int argc, char** argv) {
    display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (!display) {
        tellNoDisplay(options);
        return 1;
    }
    XSetErrorHandler(noteXError);
    XSetIOErrorHandler(connectionLost);
    runOptions = &options;
    argumentCount = argc;
    arguments = argv;
    installStopSignals();
    startFramePacing(options.delayMicroseconds);

    const int exitCode = runSaver({openX11Run, {pollX11Event, swapX11Buffers, paceX11Frames}, closeX11Run, 1},
                                  planRun(options.target, Backend::X11, options.showFps));
    XCloseDisplay(display);
    return exitCode;
}
