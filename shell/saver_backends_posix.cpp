#include "shell/saver_backends_posix.h"

#include "shell/run_plan.h"

int runOnChosenBackend(const HackOptions& options, int argc, char** argv) {
    switch (chooseBackend(options, readSessionEnvironment())) {
    case Backend::Wayland:
        return runWaylandSaver(options, argc, argv);
    case Backend::X11:
        return runX11Saver(options, argc, argv);
    }
    return 1;
}
