// The Windows library's own globals: the registry's store, the error boxes,
// the window handles and the other monitors' windows.
#include "process_state.h"

#include "gl/error_box.h"
#include "gl/gl_window_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_store.h"
#include "shell/monitor_windows_win32.h"

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
        {"monitorWindows", [] { monitorWindows.clear(); }, nullptr},
        {"(anonymous namespace)::monitorClassRegistered", nullptr,
         "true only from a run's opening of the monitors' windows to their closing, which every run makes"},
        {"(anonymous namespace)::wasRunning", nullptr, "set by each full-screen run before it is read"},
    };
}
