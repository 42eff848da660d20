// The Windows library's own globals: the registry's store, the error boxes,
// the window handles and the monitor covers.
#include "process_state.h"

#include "gl/error_box.h"
#include "gl/gl_window_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_store.h"
#include "shell/monitor_covers_win32.h"

namespace {

// The product's own sink, read before any test can replace it: the pointer is
// constant-initialized, so it is set before this line runs.
const ErrorBoxSink productErrorBoxSink = errorBoxSink;

} // namespace

std::vector<ProcessStatePart> platformStateParts() {
    return {
        {"settingsStore", [] { settingsStore = registrySettingsStore(); }, nullptr},
        {"errorBoxSink", [] { errorBoxSink = productErrorBoxSink; }, nullptr},
        {"saverWindow", [] { saverWindow = nullptr; }, nullptr},
        {"deviceContext", [] { deviceContext = nullptr; }, nullptr},
        {"renderingContext", [] { renderingContext = nullptr; }, nullptr},
        {"moduleHandle", [] { moduleHandle = nullptr; }, nullptr},
        {"parentWindow", [] { parentWindow = nullptr; }, nullptr},
        {"monitorCovers", [] { monitorCovers.clear(); }, nullptr},
        {"(anonymous namespace)::coverClassRegistered", nullptr,
         "follows the covers' window class, which stays registered for the whole process"},
        {"(anonymous namespace)::wasRunning", nullptr, "set by each full-screen run before it is read"},
    };
}
