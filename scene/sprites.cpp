#include "scene/sprites.h"

#include "gl/gl_headers.h"
#include "gl/texture_set.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

#include <cmath>

namespace {

constexpr float spriteSize = 0.6f;

struct SpritePosition {
    float x, y; // upper-left corner
};

// Where modes 0 and 4 hold the character: where every run starts it.
constexpr SpritePosition rest = {SceneState{}.characterX, SceneState{}.characterY};

constexpr float amplitudeX = 0.75f;
constexpr float amplitudeY = 0.35f;
constexpr float centreX = -0.3f;
constexpr float centreY = 0.3f;
constexpr double hypnoticOffset = 3.1415926535; // these decimals, not pi
constexpr double chaserLag = 3.1415;

constexpr float logoWidth = 0.4f;
constexpr float logoHeight = 0.2f;
constexpr float logoRight = 0.35f; // the corner logo's rectangle on the logo sheet
constexpr float logoBottom = 0.85f;

SpritePosition onEllipse(double angle) {
    return {static_cast<float>(amplitudeX * std::sin(angle) + centreX),
            static_cast<float>(amplitudeY * std::cos(angle) + centreY)};
}

void drawSpriteQuad(float x, float y) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x, y - spriteSize, 0);
    glTexCoord2f(1, 0);
    glVertex3f(x + spriteSize, y - spriteSize, 0);
    glTexCoord2f(1, 1);
    glVertex3f(x + spriteSize, y, 0);
    glTexCoord2f(0, 1);
    glVertex3f(x, y, 0);
    glEnd();
}

} // namespace

void moveCharacters(int efectoulmo, float phase, SceneState& state) {
    const double angle = 2.0 * phase;
    switch (efectoulmo) {
    case 0:
    case 4:
        state.characterX = rest.x;
        state.characterY = rest.y;
        break;
    case 1: // side to side along y = -0.25
        state.characterX = onEllipse(angle).x;
        break;
    case 2: {
        const SpritePosition character = onEllipse(angle + hypnoticOffset);
        state.characterX = character.x;
        state.characterY = character.y;
        break;
    }
    case 3: {
        const SpritePosition character = onEllipse(angle);
        const SpritePosition chaser = onEllipse(angle - chaserLag);
        state.characterX = character.x;
        state.characterY = character.y;
        state.chaserX = chaser.x;
        state.chaserY = chaser.y;
        break;
    }
    default:
        break;
    }
}

void drawCharacter(float x, float y, int maskSlot, int imageSlot) {
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    if (settings.mascara) {
        // Multiplies the frame by the mask: white keeps the background, black clears it.
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        glBindTexture(GL_TEXTURE_2D, textureSet.names[maskSlot]);
        drawSpriteQuad(x, y);
    }
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textureSet.names[imageSlot]);
    drawSpriteQuad(x, y);
}

void drawLogo() {
    const float x = sceneState.logoX;
    const float y = sceneState.logoY;
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textureSet.names[logoSlot]);
    glBegin(GL_QUADS);
    glTexCoord2f(0, logoBottom);
    glVertex3f(x, y - logoHeight, 0);
    glTexCoord2f(logoRight, logoBottom);
    glVertex3f(x + logoWidth, y - logoHeight, 0);
    glTexCoord2f(logoRight, 1);
    glVertex3f(x + logoWidth, y, 0);
    glTexCoord2f(0, 1);
    glVertex3f(x, y, 0);
    glEnd();
}
