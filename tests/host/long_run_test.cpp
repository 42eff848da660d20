// A day of frames at 5,000 a second, computation only: nothing freezes,
// nothing overflows.

#include "scene/frame.h"
#include "scene/particles.h"
#include "scene/scene_state.h"
#include "scene/sprites.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double frameDuration = 1.0 / 5000;
constexpr long long framesPerHour = 3600LL * 5000;

bool finite(const Particle& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.vx) && std::isfinite(p.vy);
}

TEST(LongRun, ADayAtFiveThousandFramesASecondKeepsEverythingMoving) {
    settings.efectoulmo = 3;
    Particle drop = {0.05f, -0.35f, 0.01f, 0.01f, 0.05f, 0.07f};
    int landings = 0;
    for (int hour = 1; hour <= 24; ++hour) {
        for (long long frame = 0; frame < framesPerHour; ++frame) {
            advanceFrameRate(frameDuration);
            advancePulse();
            const float heightBefore = drop.height;
            stepParticle(drop);
            landings += drop.height != heightBefore;
        }
        moveCharacters(settings.efectoulmo, sceneState.phase, sceneState);
        SCOPED_TRACE(testing::Message() << "after hour " << hour);
        ASSERT_TRUE(std::isfinite(sceneState.phase));
        ASSERT_TRUE(std::isfinite(sceneState.pulse));
        ASSERT_TRUE(std::isfinite(sceneState.smoothedFps));
        ASSERT_TRUE(finite(drop));
        ASSERT_GE(sceneState.phase, 0.0f);
        ASSERT_LT(sceneState.phase, 6.2831855f);
        ASSERT_GT(sceneState.pulse, -50.75f);
        ASSERT_LT(sceneState.pulse, 101.75f);

        // One more frame still moves phase, pulse and the drop.
        const SceneState before = sceneState;
        const Particle dropBefore = drop;
        advanceFrameRate(frameDuration);
        advancePulse();
        stepParticle(drop);
        EXPECT_NE(sceneState.phase, before.phase);
        EXPECT_NE(sceneState.pulse, before.pulse);
        EXPECT_TRUE(drop.x != dropBefore.x || drop.y != dropBefore.y);
    }
    EXPECT_NEAR(sceneState.smoothedFps, 5000.0f, 1e-2f);
    EXPECT_GT(landings, 1000) << "the drop keeps falling, splashing and starting again";
}

} // namespace
