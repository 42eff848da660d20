#pragma once
// Blood drops: they spurt from the character's head, fall, splash on a floor
// line just below the view, fall back from the splash and start again.

#include "settings/scene_limits.h"

#include <cstdint>

struct Particle {
    float x, y;          // centre
    float vx, vy;        // scene units per 1/60 s; up is positive
    float width, height; // height equal to tamayparticulas: not splashed yet
};

struct ParticlePool {
    Particle* particles = nullptr;
    int32_t particleCount = 0;
};

extern ParticlePool particlePool;

constexpr int32_t startParticleCount = 200;

// The four corners of a drop, in the order they are drawn.
struct DropCorners {
    float x[4], y[4];
};

void createParticlePool();
void spawnParticle(Particle& particle);
// Follows the wanted count, clamped to 0..9999; keeps the pool when the
// allocation fails.
void resizeParticlePool(int32_t wanted);
void stepParticle(Particle& particle);
DropCorners dropCorners(const Particle& particle);
void updateAndDrawParticles();
