#include "scene/background_grid.h"

#include "gl/gl_headers.h"
#include "gl/texture_set.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

#include <cmath>

namespace {

constexpr float columnStep = 1.0f / 7; // grid x spans -8/7 .. 8/7
constexpr float rowStep = 2.0f / 19;   // grid y spans -16/19 .. 16/19
constexpr float textureStep = 1.0f / 16;
constexpr float mirrorAngle = 3.1416f; // this decimal, not pi
constexpr float gentleColumns = 1.0f / 140;
constexpr float gentleRows = 1.0f / 150;
constexpr float verticalRipple = 0.0125f;
constexpr float stretchScale = 1.0f / 150;
constexpr float channelScale = 1.0f / 255;

float ripple(int edge, float phase) {
    return std::sin(10 * (edge + phase));
}

float mirror(int edge, float phase) {
    return std::cos(mirrorAngle * edge / 16 + phase);
}

void setGrey(GridCell& cell, const float grey[4], const ShadowTint& tint) {
    for (int vertex = 0; vertex < 4; ++vertex) {
        cell.colour[vertex][0] = grey[vertex] * tint.red * channelScale;
        cell.colour[vertex][1] = grey[vertex] * tint.green * channelScale;
        cell.colour[vertex][2] = grey[vertex] * tint.blue * channelScale;
    }
}

} // namespace

void computeCellOffsets(int efecto, int i, int j, float phase, float pulse, GridCell& cell) {
    const float fi = static_cast<float>(i);
    switch (efecto) {
    case 1: // stressed ripple: the divisors pass through zero as pulse swings
        cell.ds0 = ripple(i, phase) / (90 - pulse);
        cell.ds1 = ripple(i + 1, phase) / (90 - pulse);
        cell.dt0 = ripple(j, phase) / (100 - pulse);
        cell.dt1 = ripple(j + 1, phase) / (100 - pulse);
        break;
    case 2: // gentle ripple: effect 1 with pulse held at -50
        cell.ds0 = ripple(i, phase) * gentleColumns;
        cell.ds1 = ripple(i + 1, phase) * gentleColumns;
        cell.dt0 = ripple(j, phase) * gentleRows;
        cell.dt1 = ripple(j + 1, phase) * gentleRows;
        break;
    case 3: // rows only
        cell.dt0 = ripple(j, phase) * verticalRipple;
        cell.dt1 = ripple(j + 1, phase) * verticalRipple;
        break;
    case 4: // hall of mirrors; both edges subtract i/16, so columns do not join
        cell.ds0 = fi / 16 - mirror(i, phase);
        cell.ds1 = fi / 16 - mirror(i + 1, phase);
        break;
    case 5:
        cell.ds0 = mirror(i, phase) - fi / 16;
        cell.ds1 = mirror(i + 1, phase) - fi / 16;
        break;
    case 6: { // a strip from the left border, stretched and mirrored; k follows pulse
        const float k = (pulse + 50) * stretchScale;
        cell.ds0 = k * std::sin(mirrorAngle * i / 16) - fi / 16;
        cell.ds1 = k * std::sin(mirrorAngle * (i + 1) / 16) - (fi + 1) / 16;
        break;
    }
    default:
        break;
    }
}

// Effects without a grey level of their own (0, 4, 5 and unknown ones) are
// tinted from white, so the default colour draws them unmodulated.
void shadeCell(int efecto, const ShadowTint& tint, GridCell& cell) {
    float grey[4] = {1, 1, 1, 1};
    switch (efecto) {
    case 1:
    case 2:
    case 3:
        grey[0] = 1 - 50 * (cell.ds0 + cell.dt1);
        grey[1] = 1 - 50 * (cell.ds1 + cell.dt1);
        grey[2] = 1 - 50 * (cell.ds1 + cell.dt0);
        grey[3] = 1 - 50 * (cell.ds0 + cell.dt0);
        break;
    case 6:
        grey[0] = 1 - 12.5f * cell.ds0;
        grey[1] = 1 - 12.5f * cell.ds1;
        grey[2] = 1 - 12.5f * cell.ds1;
        grey[3] = 1 - 12.5f * cell.ds0;
        break;
    default:
        break;
    }
    setGrey(cell, grey, tint);
}

int backgroundSlot(int imagenfondo) {
    return imagenfondo >= 0 && imagenfondo < textureSlotCount ? imagenfondo : 0;
}

void drawBackgroundGrid() {
    glBindTexture(GL_TEXTURE_2D, textureSet.names[backgroundSlot(settings.imagenfondo)]);
    const ShadowTint tint = {settings.rojosombra, settings.verdesombra, settings.azulsombra};
    for (int i = 0; i < gridSize; ++i) {
        const float left = (i - 8) * columnStep;
        const float right = (i - 7) * columnStep;
        const float sLeft = i * textureStep;
        const float sRight = (i + 1) * textureStep;
        for (int j = 0; j < gridSize; ++j) {
            const float bottom = (j - 8) * rowStep;
            const float top = (j - 7) * rowStep;
            const float tBottom = j * textureStep;
            const float tTop = (j + 1) * textureStep;
            GridCell cell;
            glBegin(GL_QUADS);
            computeCellOffsets(settings.efecto, i, j, sceneState.phase, sceneState.pulse, cell);
            if (settings.sombra)
                shadeCell(settings.efecto, tint, cell);
            glColor3f(cell.colour[0][0], cell.colour[0][1], cell.colour[0][2]);
            glTexCoord2f(sLeft + cell.ds0, tTop + cell.dt1);
            glVertex3f(left, top, 0);
            glColor3f(cell.colour[1][0], cell.colour[1][1], cell.colour[1][2]);
            glTexCoord2f(sRight + cell.ds1, tTop + cell.dt1);
            glVertex3f(right, top, 0);
            glColor3f(cell.colour[2][0], cell.colour[2][1], cell.colour[2][2]);
            glTexCoord2f(sRight + cell.ds1, tBottom + cell.dt0);
            glVertex3f(right, bottom, 0);
            glColor3f(cell.colour[3][0], cell.colour[3][1], cell.colour[3][2]);
            glTexCoord2f(sLeft + cell.ds0, tBottom + cell.dt0);
            glVertex3f(left, bottom, 0);
            // Everything drawn later in the frame takes this white; GL clamps it to 1.
            if constexpr (!webGl)
                glColor3f(255, 255, 255);
            glEnd();
            // The web's GL emulation takes a colour before glEnd as vertex data and clamps none: its white follows.
            if constexpr (webGl)
                glColor3f(1, 1, 1);
        }
    }
}
