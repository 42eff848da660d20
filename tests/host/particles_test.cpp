#include "scene/frame.h"
#include "scene/particles.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using ParticlesTest = testing::Test;

Particle drop(float x, float y, float vx, float vy) {
    return {x, y, vx, vy, 0.05f, 0.07f};
}

TEST(Random, FollowsTheUnseededRuntimeSequence) {
    const std::vector<int> expected = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected)
        EXPECT_EQ(nextRandom(), value);
}

TEST_F(ParticlesTest, StartUpSpawnsTwoHundredDropsAtTheCharactersHead) {
    createParticlePool();
    ASSERT_EQ(particlePool.particleCount, 200);
    randomState = 1;
    for (int index = 0; index < 200; ++index) {
        const Particle& p = particlePool.particles[index];
        EXPECT_NEAR(p.x, 0.05f, 1e-6f);
        EXPECT_NEAR(p.y, -0.35f, 1e-6f);
        EXPECT_EQ(p.width, 0.05f);
        EXPECT_EQ(p.height, 0.07f);
        // Two draws per drop, the first for vx, the second for vy.
        const int rx = nextRandom(), ry = nextRandom();
        EXPECT_EQ(p.vx, rx * (0.03f / 32767) - 0.015f);
        EXPECT_EQ(p.vy, ry * (0.02f / 32767));
        EXPECT_GE(p.vx, -0.015f);
        EXPECT_LE(p.vx, 0.015f);
    }
}

TEST_F(ParticlesTest, GrowingKeepsTheOldDropsAndSpawnsTheRestAtTheEnd) {
    createParticlePool();
    const std::vector<Particle> before(particlePool.particles, particlePool.particles + 200);
    sceneState.characterX = 0.2f;
    resizeParticlePool(500);
    ASSERT_EQ(particlePool.particleCount, 500);
    for (int index = 0; index < 200; ++index)
        EXPECT_EQ(std::memcmp(&particlePool.particles[index], &before[index], sizeof(Particle)), 0);
    for (int index = 200; index < 500; ++index)
        EXPECT_NEAR(particlePool.particles[index].x, 0.55f, 1e-6f);
}

TEST_F(ParticlesTest, ShrinkingKeepsTheFirstDrops) {
    createParticlePool();
    const std::vector<Particle> before(particlePool.particles, particlePool.particles + 50);
    resizeParticlePool(50);
    ASSERT_EQ(particlePool.particleCount, 50);
    for (int index = 0; index < 50; ++index)
        EXPECT_EQ(std::memcmp(&particlePool.particles[index], &before[index], sizeof(Particle)), 0);
}

TEST_F(ParticlesTest, TheCountIsClampedToTheDialogsRange) {
    createParticlePool();
    resizeParticlePool(-5);
    EXPECT_EQ(particlePool.particleCount, 0);
    resizeParticlePool(2147483647);
    EXPECT_EQ(particlePool.particleCount, 9999);
}

TEST_F(ParticlesTest, AnEmptyPoolStepsNothingAndLeavesTheRateAlone) {
    createParticlePool();
    settings.numeroparticulas = 0;
    sceneState.smoothedFps = 0;
    resizeParticlePool(settings.numeroparticulas);
    for (int index = 0; index < particlePool.particleCount; ++index)
        stepParticle(particlePool.particles[index]);
    EXPECT_EQ(particlePool.particleCount, 0);
    EXPECT_EQ(sceneState.smoothedFps, 0);
}

TEST_F(ParticlesTest, OneStepAtSixtyFramesASecond) {
    sceneState.smoothedFps = 60;
    Particle p = drop(0, 0, 0.01f, 0.02f);
    stepParticle(p);
    EXPECT_FLOAT_EQ(p.x, 0.01f);
    EXPECT_FLOAT_EQ(p.y, 0.02f);
    EXPECT_FLOAT_EQ(p.vx, 0.0099f);
    EXPECT_FLOAT_EQ(p.vy, 0.019f);
}

TEST_F(ParticlesTest, AZeroRateBecomesOneBeforeItDivides) {
    sceneState.smoothedFps = 0;
    Particle p = drop(0, 0, 0.01f, 0);
    stepParticle(p);
    EXPECT_EQ(sceneState.smoothedFps, 1);
    EXPECT_FLOAT_EQ(p.x, 0.6f);
    sceneState.smoothedFps = NAN;
    stepParticle(p);
    EXPECT_EQ(sceneState.smoothedFps, 1);
}

TEST_F(ParticlesTest, TheFloorIsTheDoubleMinusPointEightyFive) {
    sceneState.smoothedFps = 60;
    Particle above = drop(0, -0.8499f, 0, 0);
    stepParticle(above);
    EXPECT_EQ(above.height, 0.07f);
    EXPECT_NEAR(above.y, -0.8499f, 1e-6f);

    Particle below = drop(0, -0.8501f, 0, 0);
    stepParticle(below);
    EXPECT_EQ(below.y, -0.85f);
    EXPECT_FLOAT_EQ(below.height, 0.07f * 0.4f);
}

TEST_F(ParticlesTest, ADropSplashesThenRespawnsAtTheCharacter) {
    sceneState.smoothedFps = 60;
    Particle p = drop(0.3f, -0.849f, 0, -0.01f);
    randomState = 1;
    stepParticle(p);
    EXPECT_EQ(p.y, -0.85f);
    EXPECT_EQ(p.x, 0.3f);
    EXPECT_EQ(p.width, 0.05f * 0.4f);
    EXPECT_EQ(p.height, 0.07f * 0.4f);
    EXPECT_EQ(p.vx, 41 * (0.02f / 32767) - 0.01f);
    EXPECT_EQ(p.vy, 18467 * (0.015f / 32767));

    // Sitting a hair below the floor with no upward speed, it lands at once.
    p.vy = 0;
    stepParticle(p);
    EXPECT_EQ(p.height, 0.07f);
    EXPECT_EQ(p.width, 0.05f);
    EXPECT_NEAR(p.x, 0.05f, 1e-6f);
    EXPECT_NEAR(p.y, -0.35f, 1e-6f);
    EXPECT_EQ(p.vx, 6334 * (0.03f / 32767) - 0.015f);
    EXPECT_EQ(p.vy, 26500 * (0.01f / 32767) + 0.01f);
}

TEST_F(ParticlesTest, WithoutHeightADropNeverReturnsToTheCharacter) {
    settings.tamayparticulas = 0;
    sceneState.smoothedFps = 60;
    Particle p = {0, -0.9f, 0, 0, 0.05f, 0};
    for (int step = 0; step < 50; ++step) {
        stepParticle(p);
        EXPECT_LT(p.y, -0.5f);
    }
    EXPECT_EQ(p.height, 0);
}

TEST_F(ParticlesTest, AFallingDropStandsUpright) {
    const Particle p = drop(0, 0, 0, -0.01f);
    const DropCorners c = dropCorners(p);
    const float expected[4][2] = {{-0.0172f, -0.0298f}, {0.0172f, -0.0298f}, {0.0172f, 0.0298f}, {-0.0172f, 0.0298f}};
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_NEAR(c.x[corner], expected[corner][0], 1e-4f) << corner;
        EXPECT_NEAR(c.y[corner], expected[corner][1], 1e-4f) << corner;
    }
    EXPECT_NEAR(std::hypot(c.x[0], c.y[0]), 0.4f * std::sqrt(0.05f * 0.05f + 0.07f * 0.07f), 1e-6f);
}

TEST_F(ParticlesTest, ADropMovingRightLeadsWithItsNarrowEnd) {
    const Particle p = drop(0, 0, 0.01f, 0);
    const DropCorners c = dropCorners(p);
    const float expected[4][2] = {{0.0298f, -0.0172f}, {0.0298f, 0.0172f}, {-0.0298f, 0.0172f}, {-0.0298f, -0.0172f}};
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_NEAR(c.x[corner], expected[corner][0], 1e-4f) << corner;
        EXPECT_NEAR(c.y[corner], expected[corner][1], 1e-4f) << corner;
    }
}

// Whole frames; with no GL context current the GL calls go nowhere.
TEST_F(ParticlesTest, FramesMoveAndCountTheDropsOnlyWhileTheyBleed) {
    createParticlePool();
    settings.numeroparticulas = 500;
    settings.sangrante = 0;
    const std::vector<Particle> before(particlePool.particles, particlePool.particles + startParticleCount);
    for (int frame = 0; frame < 5; ++frame)
        renderFrame();
    ASSERT_EQ(particlePool.particleCount, startParticleCount);
    EXPECT_EQ(std::memcmp(before.data(), particlePool.particles, before.size() * sizeof(Particle)), 0);

    settings.sangrante = 1;
    renderFrame();
    ASSERT_EQ(particlePool.particleCount, 500);
    EXPECT_NE(particlePool.particles[0].y, before[0].y);
}

} // namespace
