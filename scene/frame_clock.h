#pragma once
// Measures the wall time between two frames, in seconds. Reads the
// performance counter when the platform has one and the millisecond timer
// otherwise; the platform is reached through a TimeSource so that tests can
// script the readings.

#include <cstdint>

struct TimeSource {
    bool (*queryFrequency)(int64_t* frequency);
    void (*queryCounter)(int64_t* counter);
    uint32_t (*milliseconds)();
};

// QueryPerformanceFrequency, QueryPerformanceCounter and timeGetTime on
// Windows; a steady clock elsewhere.
extern const TimeSource platformTimeSource;

class FrameClock {
public:
    FrameClock();
    explicit FrameClock(const TimeSource& source);

    void update();

    double currentTime = 0;
    double previousTime = 0;
    double frameDuration = 0; // the last frame's duration: the one field read outside
    int32_t updateCount = 0;
    int64_t frequency = 0;
    double tickPeriod = 0;
    int32_t shiftCount = 0;
    bool usesPerformanceCounter = false;
    uint32_t lastTick = 0;
    int32_t sameTimeCount = 0;

private:
    void updateFromCounter();
    void updateFromMilliseconds();

    const TimeSource* source;
};

extern FrameClock frameClock;
