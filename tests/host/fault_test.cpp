// Faults the fuzz targets found, each kept here with the smallest input that
// showed it.

#include "scene/frame.h"
#include "scene/scene_state.h"
#include "memory_store.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using StoredFrameRateFault = testing::Test;

// A "frames" value of 0xFFFFFFFF (a NaN) or an infinity in the registry kept
// the running average no number for every later frame, and a full-screen run
// stored it back. The first usable frame now starts the average afresh.
TEST_F(StoredFrameRateFault, AnAverageThatIsNoNumberStartsAfreshAtTheFirstFrame) {
    const float damaged[] = {std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    for (const float stored : damaged) {
        SCOPED_TRACE(stored);
        sceneState = SceneState{};
        settings.frames = stored;
        advanceFrameRate(0.01);
        EXPECT_EQ(settings.frames, 50.0f); // (100 + 0) / 2, as from the default 0
        advanceFrameRate(0.01);
        EXPECT_EQ(settings.frames, 75.0f);
    }
}

TEST_F(StoredFrameRateFault, ANaNLoadedFromTheStoreComesBackANumberAfterARun) {
    memoryStore = MemoryStore{};
    settingsStore = memorySettingsStore();
    putValue("frames", 0xFFFFFFFFu);
    loadSettings();
    ASSERT_TRUE(std::isnan(settings.frames));
    for (int frame = 0; frame < 10; ++frame)
        advanceFrameRate(1.0 / 60);
    saveFrames();
    ASSERT_EQ(memoryStore.values.count("frames"), 1u);
    float stored;
    std::memcpy(&stored, &memoryStore.values["frames"], sizeof stored);
    EXPECT_NEAR(stored, 60.0f, 0.1f);
}

TEST_F(StoredFrameRateFault, AFiniteAverageIsBlendedAsBefore) {
    // Huge, negative and subnormal averages are numbers and keep their blend.
    const float finite[] = {std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::max(),
                            -40.0f,
                            std::numeric_limits<float>::denorm_min(),
                            0.0f,
                            40.0f};
    for (const float stored : finite) {
        SCOPED_TRACE(stored);
        sceneState = SceneState{};
        settings.frames = stored;
        advanceFrameRate(0.01);
        EXPECT_EQ(settings.frames, static_cast<float>((100.0 + stored) * 0.5));
    }
}

TEST_F(StoredFrameRateFault, AFrameWithoutAUsableDurationLeavesEvenADamagedAverage) {
    settings.frames = std::numeric_limits<float>::infinity();
    advanceFrameRate(0.0);
    advanceFrameRate(-1.0);
    EXPECT_EQ(settings.frames, std::numeric_limits<float>::infinity());
}

} // namespace
