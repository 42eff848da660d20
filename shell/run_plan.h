#pragma once
// The Linux program's two choices before a run: which display system to
// speak, and what kind of run the draw target makes there.

#include "shell/hack_options.h"
#include "shell/saver_run.h"

enum class Backend { Wayland, X11 };

// What the session's environment says of the display systems it offers.
struct SessionEnvironment {
    bool xscreensaverWindow = false; // XSCREENSAVER_WINDOW: a daemon hands us an X window
    bool waylandDisplay = false;     // WAYLAND_DISPLAY
    bool waylandSocket = false;      // WAYLAND_SOCKET: a connection the parent handed over
};

SessionEnvironment readSessionEnvironment();

// X11 whenever an X window is asked for (by the daemon, --window-id or
// --display), else Wayland when the session has it, else X11.
Backend chooseBackend(const HackOptions& options, const SessionEnvironment& session);

// --root is the full-screen saver: on X11 the daemon that started it ends it,
// on Wayland any input does. A window of its own ends on its quit keys; a
// given window and a wallpaper are ended from outside.
RunPlan planRun(DrawTarget target, Backend backend, bool showFps);
