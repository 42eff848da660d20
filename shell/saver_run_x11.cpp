// The X11 side of a run: X events become calls of the saver's input rules,
// SIGTERM and SIGINT end the loop within a frame, and the frames are paced
// by --delay. It never grabs input nor watches for user activity: under a
// daemon, the daemon does both and ends the run with SIGTERM.

#include "shell/saver_run_x11.h"

#include "gl/fps_overlay.h"
#include "gl/gl_state.h"
#include "gl/gl_window_x11.h"
#include "scene/frame_clock.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/saver_loop.h"

#include <X11/Xutil.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t stopSignal = 0;
int wakePipe[2] = {-1, -1}; // the signal handler writes, the frame pacing waits on it

bool quitRequested = false;
bool windowGone = false;
bool showFps = false;
std::chrono::microseconds frameDelay{0};
Clock::time_point nextFrame;
Atom protocolsAtom = 0, deleteWindowAtom = 0;

void onStopSignal(int) {
    stopSignal = 1;
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t wrote = write(wakePipe[1], &byte, 1);
    errno = savedErrno;
}

void installStopHandlers() {
    if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        wakePipe[0] = wakePipe[1] = -1;
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

// An X error on our window means it has just gone away: the window's end,
// not the program's, which Xlib's default handler would make it without
// storing anything.
int noteXError(Display*, XErrorEvent* error) {
    if (error->resourceid == saverWindow)
        windowGone = true;
    return 0;
}

[[noreturn]] int connectionLost(Display*) {
    std::fprintf(stderr, "norwyn: lost the connection to the X server\n");
    if (runMode == Saver)
        saveFrames();
    std::_Exit(1);
}

void requestQuit() {
    quitRequested = true;
}

void handleKeyPress(XKeyEvent& key) {
    char typed = 0;
    KeySym symbol = NoSymbol;
    if (XLookupString(&key, &typed, 1, &symbol, nullptr) == 1 && keyClosesOwnWindow(typed))
        requestQuit();
}

void handleEvent(XEvent& event) {
    switch (event.type) {
    case ConfigureNotify:
        if (event.xconfigure.window == saverWindow &&
            (event.xconfigure.width != windowWidth || event.xconfigure.height != windowHeight)) {
            windowWidth = event.xconfigure.width;
            windowHeight = event.xconfigure.height;
            resizeViewport(windowWidth, windowHeight);
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
            requestQuit();
        }
        break;
    case KeyPress:
        handleKeyPress(event.xkey);
        break;
    case ClientMessage:
        if (event.xclient.message_type == protocolsAtom &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindowAtom)
            requestQuit();
        break;
    default:
        break;
    }
}

EventPoll pollX11Event(int* exitCode) {
    if (stopSignal || quitRequested || windowGone) {
        *exitCode = 0;
        return EventPoll::Quit;
    }
    if (!XPending(display))
        return EventPoll::Empty;
    XEvent event;
    XNextEvent(display, &event);
    handleEvent(event);
    return EventPoll::Handled;
}

void swapX11Buffers() {
    if (windowGone)
        return;
    if (showFps)
        drawFrameRate(settings.frames, windowWidth, windowHeight);
    swapWindowBuffers();
}

// Frames start --delay apart; a frame that took longer starts the next at once.
// The wait ends early on a stop signal, so that the daemon never waits on us.
void waitForNextFrame() {
    if (frameDelay.count() == 0)
        return;
    Clock::time_point now = Clock::now();
    nextFrame = std::max(nextFrame + frameDelay, now);
    while (now < nextFrame && !stopSignal) {
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(nextFrame - now);
        const timespec timeout = {static_cast<time_t>(left.count() / 1000000000),
                                  static_cast<long>(left.count() % 1000000000)};
        pollfd wake = {wakePipe[0], POLLIN, 0};
        ppoll(&wake, wakePipe[0] >= 0 ? 1 : 0, &timeout, nullptr);
        now = Clock::now();
    }
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

bool openWindow(const HackOptions& options, int argc, char** argv) {
    Window window = 0;
    switch (options.target) {
    case DrawTarget::OwnWindow:
        protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
        deleteWindowAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
        return openOwnWindow(saverWindowTitle, options.geometry, argc, argv);
    case DrawTarget::GivenWindow:
        return openGivenWindow(static_cast<Window>(options.windowId));
    case DrawTarget::Root:
        return daemonWindow(window) && openGivenWindow(window);
    case DrawTarget::Wallpaper:
        std::fprintf(stderr, "norwyn: --wallpaper draws only on Wayland\n");
        return false;
    }
    return false;
}

} // namespace

int runX11Saver(const HackOptions& options, int argc, char** argv) {
    display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (!display) {
        std::fprintf(stderr, "norwyn: cannot open display \"%s\"\n",
                     XDisplayName(options.display.empty() ? nullptr : options.display.c_str()));
        return 1;
    }
    XSetErrorHandler(noteXError);
    XSetIOErrorHandler(connectionLost);
    // Only a full-screen run stores its frame rate, as on Windows.
    runMode = options.target == DrawTarget::Root ? Saver : Preview;
    showFps = options.showFps;
    frameDelay = std::chrono::microseconds(options.delayMicroseconds);
    installStopHandlers();

    frameClock.update();
    if (!openWindow(options, argc, argv) || !initWindowGl()) {
        closeSaverWindow();
        XCloseDisplay(display);
        return 1;
    }
    nextFrame = Clock::now();
    const int exitCode = saverLoop({pollX11Event, swapX11Buffers, waitForNextFrame});
    if (runMode == Saver)
        saveFrames();
    if (windowGone)
        saverWindow = 0;
    closeSaverWindow();
    XCloseDisplay(display);
    return exitCode;
}
