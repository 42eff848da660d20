#include "scene/frame_clock.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// Readings handed out one by one, as the platform would.
struct ScriptedTime {
    bool hasCounter = true;
    int64_t frequency = 1000000;
    std::deque<int64_t> counters;
    std::deque<uint32_t> milliseconds;
};

ScriptedTime script;

const TimeSource scriptedSource = {
    [](int64_t* frequency) {
        *frequency = script.hasCounter ? script.frequency : 0;
        return script.hasCounter;
    },
    [](int64_t* counter) {
        *counter = script.counters.front();
        script.counters.pop_front();
    },
    []() {
        const uint32_t value = script.milliseconds.front();
        script.milliseconds.pop_front();
        return value;
    },
};

FrameClock counterClock(int64_t frequency) {
    script = {};
    script.frequency = frequency;
    return FrameClock(scriptedSource);
}

FrameClock millisecondClock() {
    script = {};
    script.hasCounter = false;
    return FrameClock(scriptedSource);
}

// A clock whose last tick is lastTick, after two readings one tick apart.
FrameClock clockAtTick(uint32_t lastTick) {
    FrameClock clock = counterClock(1000000);
    script.counters = {lastTick - 1, lastTick};
    clock.update();
    clock.update();
    return clock;
}

struct ShiftCase {
    int64_t frequency;
    int32_t shiftCount;
    uint64_t shiftedFrequency;
};

void PrintTo(const ShiftCase& c, std::ostream* os) {
    *os << c.frequency << " Hz";
}

class FrameClockShift : public testing::TestWithParam<ShiftCase> {};

TEST_P(FrameClockShift, BringsTheTickRateToAtMostTwoMegahertz) {
    const ShiftCase& c = GetParam();
    const FrameClock clock = counterClock(c.frequency);
    EXPECT_TRUE(clock.usesPerformanceCounter);
    EXPECT_EQ(clock.frequency, c.frequency);
    EXPECT_EQ(clock.shiftCount, c.shiftCount);
    EXPECT_EQ(clock.tickPeriod, 1.0 / static_cast<double>(c.shiftedFrequency));
}

INSTANTIATE_TEST_SUITE_P(Frequencies, FrameClockShift,
                         testing::Values(ShiftCase{1193182, 0, 1193182}, ShiftCase{2000000, 0, 2000000},
                                         ShiftCase{2000001, 1, 1000000}, ShiftCase{3579545, 1, 1789772},
                                         ShiftCase{10000000, 3, 1250000}, ShiftCase{4294967296LL, 12, 1048576},
                                         ShiftCase{0x7FFFFFFFFFFFFFFFLL, 43, 1048575}));

TEST(FrameClock, WithoutACounterUsesTheMillisecondTimer) {
    const FrameClock clock = millisecondClock();
    EXPECT_FALSE(clock.usesPerformanceCounter);
    EXPECT_EQ(clock.tickPeriod, 0.0010000000474974513);
    EXPECT_EQ(clock.frameDuration, 0);
}

TEST(FrameClock, CounterModeMeasuresFromTheSecondUpdate) {
    FrameClock clock = counterClock(1000000);
    script.counters = {5000000, 5016000, 5033000};
    clock.update();
    EXPECT_EQ(clock.frameDuration, 0);
    EXPECT_EQ(clock.currentTime, 0);
    EXPECT_EQ(clock.lastTick, 5000000u);
    clock.update();
    EXPECT_DOUBLE_EQ(clock.frameDuration, 0.016);
    clock.update();
    EXPECT_DOUBLE_EQ(clock.frameDuration, 0.017);
    EXPECT_DOUBLE_EQ(clock.currentTime, 0.033);
    EXPECT_EQ(clock.previousTime, clock.currentTime);
}

TEST(FrameClock, TicksAreTheShiftedCounterCutTo32Bits) {
    FrameClock clock = counterClock(10000000); // three shifts
    script.counters = {(int64_t{5} << 35) | 80, (int64_t{5} << 35) | 160};
    clock.update();
    EXPECT_EQ(clock.lastTick, 10u);
    clock.update();
    EXPECT_EQ(clock.lastTick, 20u);
    EXPECT_DOUBLE_EQ(clock.frameDuration, 10 / 1250000.0);
}

TEST(FrameClock, MillisecondModeMeasuresFromTheSecondUpdate) {
    FrameClock clock = millisecondClock();
    script.milliseconds = {1000, 1020, 1020};
    clock.update();
    EXPECT_EQ(clock.frameDuration, 0);
    EXPECT_EQ(clock.currentTime, 1000 * 0.0010000000474974513);
    clock.update();
    EXPECT_NEAR(clock.frameDuration, 0.020, 1e-9);
    // Two readings within one millisecond measure nothing.
    clock.update();
    EXPECT_EQ(clock.frameDuration, 0);
}

TEST(FrameClock, ATickThatWrapsStillAdvances) {
    FrameClock clock = clockAtTick(0xFFFFFF00u);
    script.counters = {256};
    clock.update();
    EXPECT_DOUBLE_EQ(clock.frameDuration, 512 / 1000000.0);
    EXPECT_EQ(clock.lastTick, 256u);
}

TEST(FrameClock, AStepBackOfAQuarterBillionTicksIsAWrap) {
    const uint32_t last = 0x30000000u;
    FrameClock clock = clockAtTick(last);
    script.counters = {last - 0x10000000u};
    clock.update();
    EXPECT_DOUBLE_EQ(clock.frameDuration, (4294967296.0 - 268435456.0) / 1000000.0);
}

TEST(FrameClock, ASmallStepBackOrNoStepIsNoProgress) {
    for (const uint32_t delta : {0u, 1u, 0x0FFFFFFFu}) {
        const uint32_t last = 0x30000000u;
        FrameClock clock = clockAtTick(last);
        const double before = clock.currentTime;
        const double duration = clock.frameDuration;
        script.counters = {last - delta};
        clock.update();
        EXPECT_EQ(clock.frameDuration, duration) << delta;
        EXPECT_EQ(clock.currentTime, before) << delta;
        EXPECT_EQ(clock.lastTick, last - delta) << delta;
    }
}

TEST(FrameClock, NoProgressOnTheSecondUpdateLeavesTheDurationZero) {
    FrameClock clock = counterClock(1000000);
    script.counters = {1000, 999};
    clock.update();
    clock.update();
    EXPECT_EQ(clock.frameDuration, 0);
}

TEST(FrameClock, AStuckClockIsPushedOnBySecondAfterManyEqualResults) {
    // At a huge current time a one-tick step is lost in rounding, so every
    // advancing update compares equal to the previous time.
    FrameClock clock = counterClock(1000000);
    script.counters = {0, 1};
    clock.update();
    clock.update();
    clock.currentTime = clock.previousTime = 1e12;
    for (int step = 0; step < 100000; ++step)
        script.counters.push_back(2 + step);
    for (int step = 0; step < 100000; ++step)
        clock.update();
    EXPECT_EQ(clock.sameTimeCount, 100000);
    EXPECT_EQ(clock.currentTime, 1e12);
    script.counters = {100002};
    clock.update();
    EXPECT_EQ(clock.sameTimeCount, 0);
    EXPECT_EQ(clock.currentTime, 1e12 + 1.0);
    EXPECT_EQ(clock.previousTime, clock.currentTime);
}

TEST(FrameClock, OneUnequalResultResetsTheStuckCount) {
    FrameClock clock = counterClock(1000000);
    script.counters = {0, 1, 2, 3};
    clock.update();
    clock.update();
    clock.currentTime = clock.previousTime = 1e12;
    clock.update();
    clock.update();
    EXPECT_EQ(clock.sameTimeCount, 2);
    clock.currentTime = clock.previousTime = 1.0;
    script.counters = {1003};
    clock.update();
    EXPECT_EQ(clock.sameTimeCount, 0);
}

} // namespace
