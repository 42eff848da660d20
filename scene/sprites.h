#pragma once
// The characters, drawn as sprites through their masks, the corner logo, and
// the movement modes that move them.

#include "settings/scene_limits.h"

struct SceneState;

// The movement step of mode efectoulmo at the given phase: writes the
// positions the mode moves and leaves the others as they are.
void moveCharacters(int efectoulmo, float phase, SceneState& state);

// Draws a character at (x, y): through its mask when mascara is on, then added.
void drawCharacter(float x, float y, int maskSlot, int imageSlot);
void drawLogo();
