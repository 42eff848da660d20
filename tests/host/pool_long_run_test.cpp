// The whole pool of drops over long runs, computation only: every drop keeps
// its cycle of spurting, splashing and starting again, nothing leaves the
// scene for good and nothing stops being a number.

#include "scene/frame.h"
#include "scene/particles.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "scene/sprites.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class PoolLongRun : public testing::Test {
protected:
    // Runs the frame's computation for the given number of frames with the
    // durations cycling through the given ones; counts each drop's returns to
    // the character (its height back to the unsplashed one after a splash).
    void run(long long frames, const std::vector<double>& durations, std::vector<long long>& returns) {
        resizeParticlePool(settings.numeroparticulas);
        returns.assign(static_cast<size_t>(particlePool.particleCount), 0);
        for (long long frame = 0; frame < frames; ++frame) {
            advanceFrameRate(durations[static_cast<size_t>(frame % static_cast<long long>(durations.size()))]);
            advancePulse();
            moveCharacters(settings.efectoulmo, sceneState.phase, sceneState);
            resizeParticlePool(settings.numeroparticulas);
            ASSERT_EQ(particlePool.particleCount, settings.numeroparticulas);
            for (int32_t index = 0; index < particlePool.particleCount; ++index) {
                Particle& drop = particlePool.particles[index];
                const bool splashed = drop.height != settings.tamayparticulas;
                stepParticle(drop);
                returns[static_cast<size_t>(index)] += splashed && drop.height == settings.tamayparticulas;
            }
        }
    }

    // Every drop is a number, within the scene's reach, and its corners too.
    static void expectEveryDropInTheScene() {
        for (int32_t index = 0; index < particlePool.particleCount; ++index) {
            const Particle& drop = particlePool.particles[index];
            SCOPED_TRACE(index);
            ASSERT_TRUE(std::isfinite(drop.x) && std::isfinite(drop.y) && std::isfinite(drop.vx) &&
                        std::isfinite(drop.vy));
            ASSERT_GT(drop.x, -5.0f);
            ASSERT_LT(drop.x, 5.0f);
            ASSERT_GE(drop.y, -0.9f);
            ASSERT_LT(drop.y, 2.0f);
            const DropCorners corners = dropCorners(drop);
            for (int corner = 0; corner < 4; ++corner)
                ASSERT_TRUE(std::isfinite(corners.x[corner]) && std::isfinite(corners.y[corner]));
        }
    }
};

TEST_F(PoolLongRun, TwoHundredDropsForAnHourAtSixtyFramesASecondKeepCycling) {
    settings.efectoulmo = 3; // the spurt follows the moving character
    createParticlePool();
    std::vector<long long> returns;
    for (int quarter = 1; quarter <= 4; ++quarter) {
        SCOPED_TRACE(testing::Message() << "after quarter hour " << quarter);
        run(15LL * 60 * 60, {1.0 / 60}, returns);
        expectEveryDropInTheScene();
        for (size_t index = 0; index < returns.size(); ++index)
            ASSERT_GT(returns[index], 100) << "drop " << index << " stopped coming back";
    }
    EXPECT_TRUE(std::isfinite(sceneState.phase));
    EXPECT_TRUE(std::isfinite(settings.frames));
}

TEST_F(PoolLongRun, AnUnevenFrameRateKeepsEveryDropCycling) {
    // Frames of 4 to 33 ms, with readings that give no duration between them.
    settings.efectoulmo = 2;
    createParticlePool();
    std::vector<long long> returns;
    run(200000, {1.0 / 30, 0.0, 1.0 / 240, 1.0 / 144, -0.001, 1.0 / 75}, returns);
    expectEveryDropInTheScene();
    for (size_t index = 0; index < returns.size(); ++index)
        ASSERT_GT(returns[index], 50) << "drop " << index << " stopped coming back";
}

TEST_F(PoolLongRun, TheLargestPoolForTwoMinutesKeepsEveryDropCycling) {
    settings.numeroparticulas = largestParticleCount;
    settings.efecto = 1;
    createParticlePool();
    std::vector<long long> returns;
    run(2LL * 60 * 60, {1.0 / 60}, returns);
    ASSERT_EQ(particlePool.particleCount, largestParticleCount);
    expectEveryDropInTheScene();
    for (size_t index = 0; index < returns.size(); ++index)
        ASSERT_GT(returns[index], 3) << "drop " << index << " stopped coming back";
}

} // namespace
