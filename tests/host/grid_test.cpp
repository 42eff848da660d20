#include "scene/background_grid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

GridCell offsets(int efecto, int i, int j, float phase, float pulse) {
    GridCell cell;
    computeCellOffsets(efecto, i, j, phase, pulse, cell);
    return cell;
}

void expectNoOffsets(const GridCell& cell) {
    EXPECT_EQ(cell.ds0, 0);
    EXPECT_EQ(cell.ds1, 0);
    EXPECT_EQ(cell.dt0, 0);
    EXPECT_EQ(cell.dt1, 0);
}

TEST(GridEffects, StaticAndUnknownEffectsWarpNothing) {
    for (int efecto : {0, 7, -1, 1000}) {
        SCOPED_TRACE(efecto);
        expectNoOffsets(offsets(efecto, 5, 9, 1.3f, 42.0f));
    }
}

TEST(GridEffects, EffectOneRipplesOverDivisorsThatFollowThePulse) {
    const GridCell cell = offsets(1, 3, 11, 0.25f, 20.0f);
    EXPECT_EQ(cell.ds0, std::sin(10 * (3 + 0.25f)) / (90 - 20.0f));
    EXPECT_EQ(cell.ds1, std::sin(10 * (4 + 0.25f)) / (90 - 20.0f));
    EXPECT_EQ(cell.dt0, std::sin(10 * (11 + 0.25f)) / (100 - 20.0f));
    EXPECT_EQ(cell.dt1, std::sin(10 * (12 + 0.25f)) / (100 - 20.0f));
}

TEST(GridEffects, EffectTwoIsEffectOneWithThePulseAtMinusFifty) {
    for (int i = 0; i < gridSize; ++i) {
        const GridCell gentle = offsets(2, i, 15 - i, 0.7f, 80.0f);
        const GridCell stressed = offsets(1, i, 15 - i, 0.7f, -50.0f);
        EXPECT_NEAR(gentle.ds0, stressed.ds0, 1e-8f);
        EXPECT_NEAR(gentle.ds1, stressed.ds1, 1e-8f);
        EXPECT_NEAR(gentle.dt0, stressed.dt0, 1e-8f);
        EXPECT_NEAR(gentle.dt1, stressed.dt1, 1e-8f);
    }
}

TEST(GridEffects, EffectThreeMovesRowsOnly) {
    const GridCell cell = offsets(3, 6, 2, 1.1f, 0);
    EXPECT_EQ(cell.ds0, 0);
    EXPECT_EQ(cell.ds1, 0);
    EXPECT_EQ(cell.dt0, std::sin(10 * (2 + 1.1f)) * 0.0125f);
    EXPECT_EQ(cell.dt1, std::sin(10 * (3 + 1.1f)) * 0.0125f);
}

TEST(GridEffects, RippleAndStretchEffectsJoinNeighbouringCells) {
    for (int efecto : {1, 2, 3, 6}) {
        for (int k = 0; k + 1 < gridSize; ++k) {
            SCOPED_TRACE(testing::Message() << "effect " << efecto << " edge " << k);
            const GridCell here = offsets(efecto, k, k, 2.9f, 33.0f);
            const GridCell right = offsets(efecto, k + 1, k, 2.9f, 33.0f);
            const GridCell above = offsets(efecto, k, k + 1, 2.9f, 33.0f);
            // s at column k's right edge equals s at column k+1's left edge.
            EXPECT_EQ((k + 1) / 16.0f + here.ds1, (k + 1) / 16.0f + right.ds0);
            EXPECT_EQ(here.dt1, above.dt0);
        }
    }
}

TEST(GridEffects, MirrorEffectsJumpBySixteenthsBetweenColumns) {
    for (int k = 0; k + 1 < gridSize; ++k) {
        SCOPED_TRACE(k);
        const float edge = (k + 1) / 16.0f;
        const GridCell four = offsets(4, k, 0, 0.4f, 0), fourNext = offsets(4, k + 1, 0, 0.4f, 0);
        EXPECT_NEAR((edge + fourNext.ds0) - (edge + four.ds1), 1 / 16.0f, 1e-6f);
        const GridCell five = offsets(5, k, 0, 0.4f, 0), fiveNext = offsets(5, k + 1, 0, 0.4f, 0);
        EXPECT_NEAR((edge + five.ds1) - (edge + fiveNext.ds0), 1 / 16.0f, 1e-6f);
        EXPECT_EQ(four.dt0, 0);
        EXPECT_EQ(five.dt1, 0);
    }
}

// Worked out by hand from the mirror formulas, with 3.1416 (not pi): column 8
// turns its left edge at 3.1416/2, just past a quarter turn.
TEST(GridEffects, MirrorEffectsAtWorkedOutCells) {
    const GridCell four = offsets(4, 8, 3, 0, 0);
    EXPECT_NEAR(four.ds0, 0.50000367f, 1e-6f); // 8/16 - cos(1.5708)
    EXPECT_NEAR(four.ds1, 0.69509437f, 1e-6f); // 8/16 - cos(1.76715)
    const GridCell five = offsets(5, 8, 3, 1.0f, 0);
    EXPECT_NEAR(five.ds0, -1.34147297f, 1e-6f); // cos(1.5708 + 1) - 8/16
    EXPECT_NEAR(five.ds1, -1.43071162f, 1e-6f); // cos(1.76715 + 1) - 8/16, not 9/16
}

TEST(GridEffects, StretchAtTheLowestPulseShowsTheLeftBorderEverywhere) {
    for (int i = 0; i < gridSize; ++i) {
        const GridCell cell = offsets(6, i, 4, 1.0f, -50.0f);
        EXPECT_EQ(i / 16.0f + cell.ds0, 0.0f) << i;
        EXPECT_EQ((i + 1) / 16.0f + cell.ds1, 0.0f) << i;
    }
}

TEST(GridEffects, StretchAtTheHighestPulseMirrorsTheWholeWidth) {
    // k = 1: s = sin(3.1416 i/16) runs from 0 at the left to 1 in the middle and back.
    const GridCell middle = offsets(6, 7, 0, 0, 100.0f);
    EXPECT_NEAR(8 / 16.0f + middle.ds1, 1.0f, 1e-5f);
    const GridCell last = offsets(6, 15, 0, 0, 100.0f);
    EXPECT_NEAR(1.0f + last.ds1, 0.0f, 1e-4f);
}

TEST(GridEffects, EffectsFourToSixIgnoreRows) {
    for (int efecto : {4, 5, 6}) {
        const GridCell low = offsets(efecto, 9, 0, 0.8f, 10.0f);
        const GridCell high = offsets(efecto, 9, 15, 0.8f, 10.0f);
        EXPECT_EQ(low.ds0, high.ds0);
        EXPECT_EQ(low.ds1, high.ds1);
    }
}

TEST(GridShading, RippleEffectsDarkenByTheirOffsets) {
    GridCell cell = offsets(2, 4, 5, 0.3f, 0);
    shadeCell(2, {255, 255, 255}, cell);
    const float g1 = 1 - 50 * (cell.ds0 + cell.dt1);
    const float g3 = 1 - 50 * (cell.ds1 + cell.dt0);
    EXPECT_EQ(cell.colour[0][0], g1 * 255 * (1.0f / 255));
    EXPECT_EQ(cell.colour[2][1], g3 * 255 * (1.0f / 255));
}

TEST(GridShading, TheTintScalesEachChannel) {
    GridCell cell = offsets(1, 0, 0, 0.05f, 0);
    shadeCell(1, {255, 128, 0}, cell);
    const float g4 = 1 - 50 * (cell.ds0 + cell.dt0);
    EXPECT_EQ(cell.colour[3][0], g4 * 255 * (1.0f / 255));
    EXPECT_EQ(cell.colour[3][1], g4 * 128 * (1.0f / 255));
    EXPECT_EQ(cell.colour[3][2], 0.0f);
}

TEST(GridShading, EffectThreeShadesByRowsAndEffectSixByColumns) {
    GridCell rows = offsets(3, 2, 7, 0.9f, 0);
    shadeCell(3, {255, 255, 255}, rows);
    EXPECT_EQ(rows.colour[0][0], rows.colour[1][0]); // V1 and V2 share the upper edge
    EXPECT_EQ(rows.colour[2][0], rows.colour[3][0]); // V3 and V4 share the lower edge
    EXPECT_NE(rows.colour[0][0], rows.colour[3][0]);

    GridCell columns = offsets(6, 5, 7, 0, 30.0f);
    shadeCell(6, {255, 255, 255}, columns);
    EXPECT_EQ(columns.colour[0][0], columns.colour[3][0]); // V1 and V4 share the left edge
    EXPECT_EQ(columns.colour[1][0], columns.colour[2][0]); // V2 and V3 share the right edge
    EXPECT_NE(columns.colour[0][0], columns.colour[1][0]);
    EXPECT_EQ(columns.colour[0][0], (1 - 12.5f * columns.ds0) * 255 * (1.0f / 255));
}

TEST(GridShading, EffectsWithoutAGreyLevelAreTintedFromWhite) {
    for (int efecto : {0, 4, 5, 9}) {
        GridCell cell = offsets(efecto, 3, 3, 0.5f, 0);
        shadeCell(efecto, {255, 51, 0}, cell);
        for (auto& vertex : cell.colour) {
            EXPECT_EQ(vertex[0], 255 * (1.0f / 255));
            EXPECT_EQ(vertex[1], 51 * (1.0f / 255));
            EXPECT_EQ(vertex[2], 0.0f);
        }
    }
}

TEST(GridBackground, AnImageNumberOutsideTheSetBindsSlotZero) {
    EXPECT_EQ(backgroundSlot(0), 0);
    EXPECT_EQ(backgroundSlot(4), 4);
    EXPECT_EQ(backgroundSlot(6), 6); // the drop picture, if the registry asks for it
    EXPECT_EQ(backgroundSlot(7), 0);
    EXPECT_EQ(backgroundSlot(-1), 0);
    EXPECT_EQ(backgroundSlot(2147483647), 0);
}

} // namespace
