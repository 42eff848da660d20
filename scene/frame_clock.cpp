#include "scene/frame_clock.h"

namespace {

constexpr uint64_t highestTickRate = 2000000; // Hz, so that 32-bit ticks wrap no sooner than ~35 min
constexpr uint32_t wrapDistance = 0x10000000; // a step back this large is a wrap, not jitter
constexpr int32_t stuckClockLimit = 100000;
constexpr double millisecondPeriod = 0.001f; // the single-precision 0.001, widened

} // namespace

FrameClock frameClock;

FrameClock::FrameClock() : FrameClock(platformTimeSource) {
}

FrameClock::FrameClock(const TimeSource& timeSource) : source(&timeSource) {
    currentTime = 0;
    frameDuration = 0;
    updateCount = 0;
    if (!source->queryFrequency(&frequency)) {
        tickPeriod = millisecondPeriod;
        usesPerformanceCounter = false;
        return;
    }
    usesPerformanceCounter = true;
    shiftCount = 0;
    uint64_t shifted = static_cast<uint64_t>(frequency);
    while ((shifted >> 32) != 0 || shifted > highestTickRate) {
        ++shiftCount;
        shifted >>= 1;
    }
    tickPeriod = 1.0 / static_cast<double>(shifted);
}

void FrameClock::update() {
    if (usesPerformanceCounter)
        updateFromCounter();
    else
        updateFromMilliseconds();
}

void FrameClock::updateFromCounter() {
    int64_t counter = 0;
    source->queryCounter(&counter);
    const uint32_t tick = static_cast<uint32_t>(static_cast<uint64_t>(counter) >> shiftCount);
    if (updateCount == 0) {
        lastTick = tick;
        updateCount = 1;
        return;
    }
    // Unsigned arithmetic: a wrapped tick gives t - L + 2^32 by itself.
    const uint32_t elapsed = tick - lastTick;
    if (tick <= lastTick && lastTick - tick < wrapDistance) {
        lastTick = tick; // a reading slightly behind the last one is no progress
        return;
    }
    lastTick = tick;
    frameDuration = elapsed * tickPeriod;
    currentTime += frameDuration;
    if (currentTime == previousTime) {
        if (++sameTimeCount > stuckClockLimit) {
            currentTime += 1.0;
            sameTimeCount = 0;
        }
    } else {
        sameTimeCount = 0;
    }
    previousTime = currentTime;
}

void FrameClock::updateFromMilliseconds() {
    if (updateCount == 0) {
        currentTime = source->milliseconds() * tickPeriod;
        previousTime = currentTime;
        frameDuration = 0;
        updateCount = 1;
        return;
    }
    previousTime = currentTime;
    currentTime = source->milliseconds() * tickPeriod;
    frameDuration = currentTime - previousTime;
}
