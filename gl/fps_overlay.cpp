#include "gl/fps_overlay.h"

#include "gl/gl_headers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A 5 by 7 pixel font for the few characters the rate needs; each row is
// five bits, the leftmost pixel in the highest bit, the top row first.
struct Glyph {
    char character;
    unsigned char rows[7];
};

// clang-format off
constexpr Glyph glyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'f', {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08}},
    {'p', {0x00, 0x00, 0x1E, 0x11, 0x1E, 0x10, 0x10}},
    {'s', {0x00, 0x00, 0x0F, 0x10, 0x0E, 0x01, 0x1E}},
};
// clang-format on

constexpr int glyphWidth = 5, glyphHeight = 7, advance = 6;

const Glyph* glyphFor(char character) {
    for (const Glyph& glyph : glyphs)
        if (glyph.character == character)
            return &glyph;
    return nullptr; // a blank
}

// One font pixel as a square of scale window pixels, lower-left corner at x, y.
void drawSquare(float x, float y, float scale) {
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x + scale, y);
    glVertex2f(x + scale, y + scale);
    glVertex2f(x, y + scale);
    glEnd();
}

void drawText(const char* text, float left, float bottom, float scale) {
    for (float x = left; *text; ++text, x += advance * scale) {
        const Glyph* glyph = glyphFor(*text);
        if (!glyph)
            continue;
        for (int row = 0; row < glyphHeight; ++row)
            for (int column = 0; column < glyphWidth; ++column)
                if (glyph->rows[row] & (0x10 >> column))
                    drawSquare(x + column * scale, bottom + (glyphHeight - 1 - row) * scale, scale);
    }
}

} // namespace

void drawFrameRate(float framesPerSecond, int width, int height) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f fps", std::isfinite(framesPerSecond) ? framesPerSecond : 0.0f);
    // Readable on a large screen, and still small in a preview.
    const float scale = static_cast<float>(std::max(1, height / 360));
    const float margin = 4 * scale;

    if constexpr (!webGl)
        glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // A dark shadow keeps the white digits readable over a white picture.
    glColor3f(0, 0, 0);
    drawText(text, margin + scale, margin - scale, scale);
    glColor3f(1, 1, 1);
    drawText(text, margin, margin, scale);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    if constexpr (!webGl) {
        glPopAttrib();
    } else {
        // The web's GL emulation has no attribute stack: the state a frame leaves is set back by hand.
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
    }
}
