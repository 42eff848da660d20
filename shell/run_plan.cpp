#include "shell/run_plan.h"

#include <cstdlib>

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// The display systems in the order they are tried, as SDL tries Wayland
// before X11; the first that suits the run is spoken.
struct BackendChoice {
    Backend backend;
    bool (*suits)(const HackOptions&, const SessionEnvironment&);
};

const BackendChoice backendChoices[] = {
    {Backend::Wayland,
     [](const HackOptions& options, const SessionEnvironment& session) {
         const bool xWindowAskedFor =
             session.xscreensaverWindow || options.target == DrawTarget::GivenWindow || !options.display.empty();
         return !xWindowAskedFor && (session.waylandDisplay || session.waylandSocket);
     }},
    {Backend::X11, [](const HackOptions&, const SessionEnvironment&) { return true; }},
};

} // namespace

SessionEnvironment readSessionEnvironment() {
    return {isSet("XSCREENSAVER_WINDOW"), isSet("WAYLAND_DISPLAY"), isSet("WAYLAND_SOCKET")};
}

Backend chooseBackend(const HackOptions& options, const SessionEnvironment& session) {
    for (const BackendChoice& choice : backendChoices)
        if (choice.suits(options, session))
            return choice.backend;
    return Backend::X11;
}

RunPlan planRun(DrawTarget target, Backend backend, bool showFps) {
    switch (target) {
    case DrawTarget::Root:
        return {Saver, backend == Backend::Wayland ? EndingInput::Everything : EndingInput::FromOutside, showFps};
    case DrawTarget::OwnWindow:
        return {Preview, EndingInput::QuitKeys, showFps};
    case DrawTarget::GivenWindow:
    case DrawTarget::Wallpaper:
        return {Preview, EndingInput::FromOutside, showFps};
    }
    return {Preview, EndingInput::FromOutside, showFps};
}
