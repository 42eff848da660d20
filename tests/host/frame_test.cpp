#include "scene/frame.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using FrameRateTest = testing::Test;

TEST_F(FrameRateTest, TheFirstFrameHalvesTheFirstRateAndBlendsTheStoredAverage) {
    settings.frames = 40.0f;
    advanceFrameRate(0.01);
    EXPECT_EQ(sceneState.smoothedFps, 50.0f);
    EXPECT_EQ(settings.frames, 70.0f);
    EXPECT_EQ(sceneState.phase, 0.59999996f / 50.0f);
}

TEST_F(FrameRateTest, ASteadySixtyFramesASecondSettlesAndAdvancesPhaseByAHundredth) {
    for (int frame = 0; frame < 100; ++frame)
        advanceFrameRate(1.0 / 60);
    EXPECT_FLOAT_EQ(sceneState.smoothedFps, 60.0f);
    EXPECT_FLOAT_EQ(settings.frames, 60.0f);
    const float before = sceneState.phase;
    advanceFrameRate(1.0 / 60);
    EXPECT_NEAR(sceneState.phase - before, 0.01f, 1e-6f);
}

TEST_F(FrameRateTest, ARateThatComesOutZeroCountsAsOne) {
    sceneState.smoothedFps = -0.5f; // (-0.5 + 1/2) / 2 is exactly 0
    advanceFrameRate(2.0);
    EXPECT_EQ(sceneState.smoothedFps, 1.0f);
    EXPECT_EQ(sceneState.phase, 0.59999996f);
}

TEST_F(FrameRateTest, AZeroDurationKeepsThePreviousEstimates) {
    advanceFrameRate(0.02);
    const float fps = sceneState.smoothedFps;
    const float frames = settings.frames;
    const float phase = sceneState.phase;
    advanceFrameRate(0.0);
    EXPECT_EQ(sceneState.smoothedFps, fps);
    EXPECT_EQ(settings.frames, frames);
    EXPECT_EQ(sceneState.phase, phase + 0.59999996f / fps);
    EXPECT_TRUE(std::isfinite(sceneState.phase));
}

TEST_F(FrameRateTest, PhaseWrapsByExactlyTwoPi) {
    sceneState.smoothedFps = 1.0f;
    sceneState.phase = 6.0f;
    advanceFrameRate(1.0); // fps stays 1, phase grows by 0.59999996
    EXPECT_EQ(sceneState.phase, (6.0f + 0.59999996f) - 6.28318548f);
    EXPECT_GE(sceneState.phase, 0.0f);
    EXPECT_LT(sceneState.phase, 6.28318548f);
}

TEST_F(FrameRateTest, PhaseSurvivesAbsurdDurations) {
    // A frame of 1e40 s leaves a rate that is a denormal float, and the step
    // of phase overflows to infinity.
    advanceFrameRate(1e40);
    ASSERT_GT(sceneState.smoothedFps, 0.0f);
    EXPECT_TRUE(std::isfinite(sceneState.phase));
    EXPECT_GE(sceneState.phase, 0.0f);
    EXPECT_LT(sceneState.phase, 6.28318548f);
}

using PulseTest = testing::Test;

TEST_F(PulseTest, SwingsBetweenItsBoundsAtTheRightFrames) {
    advancePulse();
    EXPECT_FLOAT_EQ(sceneState.pulse, 0.4f);
    int firstAbove = 0, firstBelow = 0;
    float aboveValue = 0, belowValue = 0;
    for (int frame = 2; frame <= 5000; ++frame) {
        advancePulse();
        if (!firstAbove && sceneState.pulse > 100) {
            firstAbove = frame;
            aboveValue = sceneState.pulse;
        }
        if (firstAbove && !firstBelow && sceneState.pulse < -50) {
            firstBelow = frame;
            belowValue = sceneState.pulse;
        }
        ASSERT_LT(sceneState.pulse, 101.75f) << frame;
        ASSERT_GT(sceneState.pulse, -50.75f) << frame;
        ASSERT_TRUE(sceneState.pulseVelocity == 0.4f || sceneState.pulseVelocity == -0.4f);
    }
    EXPECT_EQ(firstAbove, 148);
    EXPECT_NEAR(aboveValue, 101.38f, 0.01f);
    EXPECT_EQ(firstBelow, 397);
    EXPECT_NEAR(belowValue, -50.64f, 0.01f);
}

// The largest start below the bound whose step lands exactly on it, if any.
float startLandingOn(float bound, float velocity) {
    for (float start = bound; start > bound - 3; start = std::nextafter(start, bound - 3)) {
        const float next = start + velocity + velocity * (start * start) * (1.0f / 3000);
        if (next == bound)
            return start;
    }
    return NAN;
}

TEST_F(PulseTest, ALandingExactlyOnABoundKeepsTheDirection) {
    const float belowTop = startLandingOn(100.0f, 0.4f);
    ASSERT_FALSE(std::isnan(belowTop));
    sceneState.pulse = belowTop;
    advancePulse();
    EXPECT_EQ(sceneState.pulse, 100.0f);
    EXPECT_EQ(sceneState.pulseVelocity, 0.4f);
    advancePulse();
    EXPECT_GT(sceneState.pulse, 100.0f);
    EXPECT_EQ(sceneState.pulseVelocity, -0.4f);
}

} // namespace
