#pragma once
// What the scene can draw and the settings can choose, agreed in one place:
// how many background effects and character movements there are, and the
// most drops the pool keeps. The scene, the catalogs and the dialogs' clamps
// all read these, so that none of them includes another's headers for them.

#include <cstdint>

constexpr int effectCount = 7;                 // efecto 0..6
constexpr int movementCount = 4;               // efectoulmo 0..3
constexpr int32_t largestParticleCount = 9999; // numeroparticulas 0..9999
