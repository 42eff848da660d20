#include "shell/saver_run_posix.h"

#include "gl/gl_state.h"
#include "shell/saver_run.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t caughtStop = 0;
int wakePipe[2] = {-1, -1};

bool endRequested = false;
int endExitCode = 0;
bool pointerSeen = false;

std::chrono::microseconds frameDelay{0};
Clock::time_point nextFrame;

void wake() {
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t wrote = write(wakePipe[1], &byte, 1);
    errno = savedErrno;
}

void onStopSignal(int signal) {
    caughtStop = signal;
    wake();
}

void drainWakePipe() {
    char bytes[64];
    while (read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
}

void catchSignal(int signal, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

} // namespace

void installStopSignals() {
    if (wakePipe[0] < 0 && pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        wakePipe[0] = wakePipe[1] = -1;
    catchSignal(SIGTERM, onStopSignal);
    catchSignal(SIGINT, onStopSignal);
}

int stopSignal() {
    return caughtStop;
}

void endByStopSignal() {
    if (!caughtStop)
        return;
    std::fflush(nullptr);
    std::signal(caughtStop, SIG_DFL);
    std::raise(caughtStop);
}

void startFramePacing(int64_t delayMicroseconds) {
    frameDelay = std::chrono::microseconds(delayMicroseconds);
    nextFrame = Clock::now();
}

// Frames start --delay apart; a frame that took longer starts the next at once.
void waitForNextFrame(int descriptor, void (*onReadable)(), bool (*ready)()) {
    int exitCode = 0;
    Clock::time_point now = Clock::now();
    nextFrame = std::max(nextFrame + frameDelay, now);
    for (;;) {
        if (runEnding(&exitCode))
            return;
        const bool timeHasCome = now >= nextFrame;
        if (timeHasCome && (!ready || ready()))
            return;
        pollfd watched[2] = {{wakePipe[0], POLLIN, 0}, {descriptor, POLLIN, 0}};
        const int watchedCount = descriptor >= 0 ? 2 : 1;
        timespec timeout = {};
        const timespec* limit = nullptr;
        if (!timeHasCome) {
            const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(nextFrame - now).count();
            timeout = {static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
            limit = &timeout;
        }
        if (ppoll(watched, static_cast<nfds_t>(watchedCount), limit, nullptr) > 0) {
            if (watched[0].revents)
                drainWakePipe();
            if (watchedCount == 2 && watched[1].revents && onReadable)
                onReadable();
        }
        now = Clock::now();
    }
}

void endRun(int exitCode) {
    if (endRequested)
        return;
    endRequested = true;
    endExitCode = exitCode;
}

bool runEnding(int* exitCode) {
    if (caughtStop) {
        *exitCode = 0;
        return true;
    }
    if (endRequested)
        *exitCode = endExitCode;
    return endRequested;
}

void reportKey(char typed) {
    if (keyEndsRun(runPlan.endsOn, typed))
        endRun(0);
}

void reportButton() {
    if (buttonEndsRun(runPlan.endsOn))
        endRun(0);
}

void reportPointer(CursorPoint position) {
    if (!pointerSeen) {
        pointerSeen = true;
        startCursor = position;
    }
    if (pointerMoveEndsRun(runPlan.endsOn, position))
        endRun(0);
}

void reportClose() {
    endRun(0);
}

void reportResize(int width, int height) {
    if (width != viewportWidth || height != viewportHeight)
        resizeViewport(width, height);
}

bool prepareGl(int width, int height) {
    resizeViewport(width, height);
    if (initGlState())
        return true;
    std::fprintf(stderr, "norwyn: the pictures cannot be loaded\n");
    return false;
}
