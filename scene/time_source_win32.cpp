#include "scene/frame_clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

bool queryFrequency(int64_t* frequency) {
    LARGE_INTEGER value;
    const bool ok = QueryPerformanceFrequency(&value) != 0;
    *frequency = ok ? value.QuadPart : 0;
    return ok;
}

void queryCounter(int64_t* counter) {
    LARGE_INTEGER value;
    value.QuadPart = 0;
    QueryPerformanceCounter(&value);
    *counter = value.QuadPart;
}

uint32_t milliseconds() {
    return timeGetTime();
}

} // namespace

constinit const TimeSource platformTimeSource = {queryFrequency, queryCounter, milliseconds};
