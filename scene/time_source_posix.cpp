// Linux counts time with the steady clock, in nanoseconds.
#include "scene/frame_clock.h"

#include <chrono>

namespace {

int64_t nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool queryFrequency(int64_t* frequency) {
    *frequency = 1000000000;
    return true;
}

void queryCounter(int64_t* counter) {
    *counter = nowNanoseconds();
}

uint32_t milliseconds() {
    return static_cast<uint32_t>(nowNanoseconds() / 1000000);
}

} // namespace

constinit const TimeSource platformTimeSource = {queryFrequency, queryCounter, milliseconds};
