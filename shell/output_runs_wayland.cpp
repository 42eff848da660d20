#include "shell/output_runs_wayland.h"

#include "shell/saver_run_posix.h"
#include "shell/wayland_session.h"

#include <wayland-client.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct OutputRun {
    uint32_t outputName;
    pid_t process;
};

std::vector<OutputRun> outputRuns;
std::string programPath; // this program's file, so that every process shows under its name
char** programArguments = nullptr;
bool runEnded = false;
int endingCode = 0;

void endAll(int exitCode) {
    if (runEnded)
        return;
    runEnded = true;
    endingCode = exitCode;
}

// The same program with the same options, told its output; it ends when
// this process does, however this process ends.
void startOutputRun(WaylandOutput& output) {
    // An output a compositor older than wl_output 4 leaves unnamed cannot be told apart: it is drawn.
    const char* only = std::getenv("SWAYLOCK_PLUGIN_OUTPUT_NAME");
    if (runEnded || (only && !output.name.empty() && output.name != only))
        return;
    const std::string named = std::to_string(output.globalName);
    const pid_t parent = getpid();
    const pid_t process = fork();
    if (process == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        setenv(outputEnvironmentName, named.c_str(), 1);
        execv(programPath.c_str(), programArguments);
        std::fprintf(stderr, "norwyn: cannot start the run for output %s\n", output.name.c_str());
        _exit(1);
    }
    if (process < 0) {
        std::fprintf(stderr, "norwyn: cannot start a process for output %s\n", output.name.c_str());
        endAll(1);
        return;
    }
    outputRuns.push_back({output.globalName, process});
}

// A process whose output went away leaves the others drawing; any other end
// ends the run with the process's exit code.
void collectEndedRuns() {
    int status = 0;
    pid_t process;
    while ((process = waitpid(-1, &status, WNOHANG)) > 0) {
        std::erase_if(outputRuns, [&](const OutputRun& run) { return run.process == process; });
        if (WIFEXITED(status) && WEXITSTATUS(status) == outputGoneExitCode)
            continue;
        endAll(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
    }
}

void endOutputRuns(int signal) {
    for (const OutputRun& run : outputRuns)
        kill(run.process, signal);
    for (const OutputRun& run : outputRuns)
        waitpid(run.process, nullptr, 0);
    outputRuns.clear();
}

void watch() {
    pollfd watched[2] = {{wakeDescriptor(), POLLIN, 0}, {wl_display_get_fd(wayland.display), POLLIN, 0}};
    wl_display_flush(wayland.display);
    if (poll(watched, 2, -1) <= 0)
        return;
    if (watched[0].revents) {
        char bytes[64];
        while (read(wakeDescriptor(), bytes, sizeof bytes) > 0) {
        }
    }
    if (watched[1].revents && !dispatchWayland()) {
        std::fprintf(stderr, "norwyn: the Wayland compositor closed the connection\n");
        endAll(1);
    }
}

} // namespace

int runOnEveryOutput(char** argv) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    programPath = length > 0 ? std::string(path, static_cast<size_t>(length)) : "/proc/self/exe";
    programArguments = argv;
    wayland.outputReady = startOutputRun;
    for (const auto& output : wayland.outputs)
        if (output->described)
            startOutputRun(*output);
    while (!runEnded && !stopSignal()) {
        if (takeChildEnded())
            collectEndedRuns();
        if (!runEnded && !stopSignal())
            watch();
    }
    endOutputRuns(stopSignal() ? stopSignal() : SIGTERM);
    return stopSignal() ? 0 : endingCode;
}
