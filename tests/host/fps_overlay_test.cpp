// The frame rate drawn over a finished frame: white figures in the lower-left
// corner, nothing else of the frame touched, every piece of GL state put back.

#include "gl/fps_overlay.h"
#include "gl/gl_headers.h"
#include "gl/gl_state.h"
#include "scene/frame.h"

#include "offscreen_gl.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int width = 320, height = 240;

struct GlState {
    std::array<GLfloat, 16> projection, modelview;
    std::array<GLfloat, 4> colour;
    GLint matrixMode, texture;
    GLboolean depthTest, texturing, blending;
    bool operator==(const GlState&) const = default;
};

GlState currentState() {
    GlState state;
    glGetFloatv(GL_PROJECTION_MATRIX, state.projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, state.modelview.data());
    glGetFloatv(GL_CURRENT_COLOR, state.colour.data());
    glGetIntegerv(GL_MATRIX_MODE, &state.matrixMode);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &state.texture);
    state.depthTest = glIsEnabled(GL_DEPTH_TEST);
    state.texturing = glIsEnabled(GL_TEXTURE_2D);
    state.blending = glIsEnabled(GL_BLEND);
    return state;
}

TEST(FpsOverlay, DrawsTheRateInTheCornerAndPutsTheGlStateBack) {
    if (!openOffscreenGl(width, height))
        GTEST_SKIP() << "no offscreen OpenGL on this machine";
    resizeViewport(width, height);
    ASSERT_TRUE(initGlState());
    renderFrame();
    glColor3f(0.25f, 0.5f, 0.75f);
    const std::vector<RgbPixel> frame = readOffscreenPixels();
    const GlState before = currentState();

    drawFrameRate(59.98f, width, height);
    EXPECT_EQ(currentState(), before);
    const std::vector<RgbPixel> shown = readOffscreenPixels();
    int white = 0, changedOutside = 0;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const RgbPixel a = frame[row * width + column], b = shown[row * width + column];
            const bool changed = a.r != b.r || a.g != b.g || a.b != b.b;
            const bool corner = row < 16 && column < 64; // "59.98 fps" is 54 by 8 pixels at 4, 3
            white += corner && b.r == 255 && b.g == 255 && b.b == 255;
            changedOutside += changed && !corner;
        }
    EXPECT_GT(white, 60);
    EXPECT_EQ(changedOutside, 0);
    closeOffscreenGl();
}

} // namespace
