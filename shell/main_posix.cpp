// The Linux program's entry point: read the options, load the settings file
// and lay the options over it, then print, save or run.

#include "scene/particles.h"
#include "settings/catalogs.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/settings_file_posix.h"
#include "settings/settings_store.h"
#include "shell/hack_options.h"
#include "shell/saver_backends_posix.h"
#include "shell/saver_run_posix.h"

#include <cstdio>
#include <string>

namespace {

void printSettings() {
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    std::fputs(writeSettingsText("", values, storedValueCount).c_str(), stdout);
}

} // namespace

int main(int argc, char** argv) {
    buildCatalogs();
    HackOptions options;
    std::string error;
    if (!parseHackOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "norwyn: %s\n%s", error.c_str(), hackUsage);
        return 1;
    }
    if (options.help) {
        std::fputs(hackUsage, stdout);
        return 0;
    }

    loadRunSettings(options);
    if (options.printSettings) {
        printSettings();
        return 0;
    }
    if (options.save) {
        if (!saveSettings())
            return 1;
        std::printf("norwyn: saved the settings in %s\n", settingsFilePath().c_str());
        return 0;
    }

    createParticlePool();
    const int exitCode = runOnChosenBackend(options, argc, argv);
    endByStopSignal();
    return exitCode;
}
