// The program's entry point: scan the command line, load the settings, and do
// the one job of the run.

#include "gl/gl_window_win32.h"
#include "resources/resource_ids.h"
#include "scene/particles.h"
#include "settings/catalogs.h"
#include "settings/dialogs_win32.h"
#include "settings/settings_store.h"
#include "shell/command_line.h"
#include "shell/run_mode.h"
#include "shell/shell_win32.h"

namespace {

HWND windowFromCommandLine(const CommandLine& commandLine) {
    if (commandLine.wantsForegroundWindow)
        return GetForegroundWindow();
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(commandLine.windowNumber));
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const CommandLine commandLine = scanCommandLine(GetCommandLineA());
    runMode = commandLine.mode;
    if (runMode != Saver && runMode != NoMode)
        parentWindow = windowFromCommandLine(commandLine);

    loadSettings();
    buildCatalogs();
    createParticlePool();

    switch (runMode) {
    case ChangePassword:
        changeSaverPassword(parentWindow);
        return 0;
    case Configure:
        // The credits pictures are looked up through the dialog's module;
        // without one they would come up empty.
        moduleHandle = instance;
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG), parentWindow, configDialogProc, 0);
        return 0;
    case Preview:
    case Saver:
        return runSaver();
    default:
        return 0;
    }
}
