#include "scene/scene_state.h"
#include "scene/sprites.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SceneState movedAt(int mode, float phase) {
    SceneState state;
    state.characterX = state.characterY = state.chaserX = state.chaserY = 9.0f; // marks unwritten fields
    moveCharacters(mode, phase, state);
    return state;
}

TEST(Movement, RestingModesHoldTheCharacterAtItsStart) {
    for (int mode : {0, 4}) {
        const SceneState state = movedAt(mode, 1.234f);
        EXPECT_EQ(state.characterX, -0.3f);
        EXPECT_EQ(state.characterY, -0.25f);
        EXPECT_EQ(state.chaserX, 9.0f);
    }
}

TEST(Movement, UnknownModesWriteNoPosition) {
    for (int mode : {5, -1, 99}) {
        const SceneState state = movedAt(mode, 1.0f);
        EXPECT_EQ(state.characterX, 9.0f);
        EXPECT_EQ(state.characterY, 9.0f);
    }
}

TEST(Movement, SideToSideMovesAlongXOnly) {
    EXPECT_FLOAT_EQ(movedAt(1, 0).characterX, -0.3f);
    const float quarter = static_cast<float>(3.14159265358979 / 4);
    EXPECT_NEAR(movedAt(1, quarter).characterX, 0.45f, 1e-6f);
    EXPECT_NEAR(movedAt(1, -quarter).characterX, -1.05f, 1e-6f);
    EXPECT_EQ(movedAt(1, 0.7f).characterY, 9.0f);
}

TEST(Movement, HypnoticStartsAtTheBottomOfTheEllipse) {
    const SceneState state = movedAt(2, 0);
    EXPECT_NEAR(state.characterX, -0.3f, 1e-6f);
    EXPECT_NEAR(state.characterY, -0.05f, 1e-6f);
    EXPECT_EQ(state.chaserX, 9.0f);
}

TEST(Movement, TheChaseStartsAtTheTopWithTheChaserNearlyOpposite) {
    const SceneState state = movedAt(3, 0);
    EXPECT_NEAR(state.characterX, -0.3f, 1e-7f);
    EXPECT_NEAR(state.characterY, 0.65f, 1e-6f);
    EXPECT_NEAR(state.chaserX, -0.30007f, 1e-5f);
    EXPECT_LT(state.chaserX, -0.3f); // 3.1415 is a little short of half a turn
    EXPECT_NEAR(state.chaserY, -0.05f, 1e-6f);
}

TEST(Movement, TheEllipseTurnsClockwiseFromTheTop) {
    // A little later the character has moved right and down from the top.
    const SceneState state = movedAt(3, 0.1f);
    EXPECT_GT(state.characterX, -0.3f);
    EXPECT_LT(state.characterY, 0.65f);
    for (float phase = 0; phase < 7; phase += 0.37f) {
        const SceneState on = movedAt(3, phase);
        const float dx = (on.characterX + 0.3f) / 0.75f;
        const float dy = (on.characterY - 0.3f) / 0.35f;
        EXPECT_NEAR(dx * dx + dy * dy, 1.0f, 1e-5f);
    }
}

} // namespace
