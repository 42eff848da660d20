#pragma once
// The background: the picture of slot imagenfondo laid on a 16 by 16 grid of
// quads whose texture coordinates, and optionally colours, one of seven
// effects warps.

#include "settings/scene_limits.h"

constexpr int gridSize = 16;

// What one cell is drawn with: the texture-coordinate offsets of its four
// edges and the colour of its four vertices V1..V4 (upper-left, upper-right,
// lower-right, lower-left).
struct GridCell {
    float ds0 = 0, ds1 = 0; // left and right edges
    float dt0 = 0, dt1 = 0; // lower and upper edges
    float colour[4][3] = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
};

struct ShadowTint {
    int red, green, blue; // 0..255
};

// The offsets of column i, row j under effect efecto.
void computeCellOffsets(int efecto, int i, int j, float phase, float pulse, GridCell& cell);
// The vertex colours from the offsets, when shading is on.
void shadeCell(int efecto, const ShadowTint& tint, GridCell& cell);
// The texture slot the background binds: imagenfondo, or slot 0 when that names no slot.
int backgroundSlot(int imagenfondo);

void drawBackgroundGrid();
