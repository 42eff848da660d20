#include "scene/particles.h"

#include "gl/gl_headers.h"
#include "gl/texture_set.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <new>

ParticlePool particlePool;

namespace {

constexpr float spawnOffsetX = 0.35f; // from the character's corner to its head
constexpr float spawnOffsetY = 0.1f;
constexpr double floorLine = -0.85; // the bound is the double; a splash sits at the float
constexpr float splashScale = 0.4f;
constexpr float damping = 0.99f;
constexpr float gravity = 0.06f;
constexpr double quarterTurn = 1.57079632675;
constexpr double cornerAngles[4] = {-2.094, -1.047, 1.047, 2.094};
constexpr float dropLeft = 0, dropRight = 0.35f, dropLead = 0.55f, dropTrail = 1;

float randomRange(float span) {
    return static_cast<float>(nextRandom()) * (span / 32767);
}

void placeAtCharacter(Particle& particle) {
    particle.width = settings.tamaxparticulas;
    particle.height = settings.tamayparticulas;
    particle.x = sceneState.characterX + spawnOffsetX;
    particle.y = sceneState.characterY - spawnOffsetY;
}

void splash(Particle& particle) {
    particle.width = settings.tamaxparticulas * splashScale;
    particle.height = settings.tamayparticulas * splashScale;
    particle.y = static_cast<float>(floorLine);
    particle.vx = randomRange(0.02f) - 0.01f;
    particle.vy = randomRange(0.015f);
}

void respawn(Particle& particle) {
    placeAtCharacter(particle);
    particle.vx = randomRange(0.03f) - 0.015f;
    particle.vy = randomRange(0.01f) + 0.01f;
}

// A corner of a drop lies at the angle atan2(vy, vx) + quarterTurn + its own
// angle. Rather than four cosines and four sines per drop, the direction of
// motion is turned by each corner's fixed angle with the angle-sum formulas;
// in single precision the corners come out as the direct formula's, but for
// a rare rounding one unit in the last place away.
struct Turn {
    double cos, sin;
};

Turn turnBy(double angle) {
    return {std::cos(quarterTurn + angle), std::sin(quarterTurn + angle)};
}

const Turn cornerTurns[4] = {turnBy(cornerAngles[0]), turnBy(cornerAngles[1]), turnBy(cornerAngles[2]),
                             turnBy(cornerAngles[3])};

// The cosine and sine of atan2(vy, vx).
Turn motionDirection(const Particle& particle) {
    const double vx = particle.vx;
    const double vy = particle.vy;
    const double speed = std::sqrt(vx * vx + vy * vy);
    if (speed > 0 && std::isfinite(speed))
        return {vx / speed, vy / speed};
    // At rest, infinite or not a number: atan2 itself, which also tells the
    // signs of zero speeds apart.
    const double angle = std::atan2(vy, vx);
    return {std::cos(angle), std::sin(angle)};
}

void drawDrop(const Particle& particle) {
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textureSet.names[dropSlot]);
    const DropCorners corners = dropCorners(particle);
    glBegin(GL_QUADS);
    glTexCoord2f(dropLeft, dropLead);
    glVertex3f(corners.x[0], corners.y[0], 0);
    glTexCoord2f(dropRight, dropLead);
    glVertex3f(corners.x[1], corners.y[1], 0);
    glTexCoord2f(dropRight, dropTrail);
    glVertex3f(corners.x[2], corners.y[2], 0);
    glTexCoord2f(dropLeft, dropTrail);
    glVertex3f(corners.x[3], corners.y[3], 0);
    glEnd();
}

} // namespace

void spawnParticle(Particle& particle) {
    placeAtCharacter(particle);
    particle.vx = randomRange(0.03f) - 0.015f;
    particle.vy = randomRange(0.02f);
}

void createParticlePool() {
    particlePool.particles = new Particle[startParticleCount];
    particlePool.particleCount = startParticleCount;
    for (int32_t index = 0; index < startParticleCount; ++index)
        spawnParticle(particlePool.particles[index]);
}

void resizeParticlePool(int32_t wanted) {
    const int32_t count = std::clamp(wanted, 0, largestParticleCount);
    if (count == particlePool.particleCount)
        return;
    Particle* particles = new (std::nothrow) Particle[count];
    if (!particles)
        return;
    const int32_t kept = std::min(count, particlePool.particleCount);
    std::copy(particlePool.particles, particlePool.particles + kept, particles);
    for (int32_t index = kept; index < count; ++index)
        spawnParticle(particles[index]);
    delete[] particlePool.particles;
    particlePool.particles = particles;
    particlePool.particleCount = count;
}

void stepParticle(Particle& particle) {
    float& fps = sceneState.smoothedFps;
    if (fps == 0 || std::isnan(fps))
        fps = 1;
    particle.x = particle.x + particle.vx * 60 / fps;
    particle.y = particle.y + particle.vy * 60 / fps;
    particle.vx = particle.vx * damping;
    particle.vy = particle.vy - gravity / fps;
    if (particle.y < floorLine) {
        if (particle.height == settings.tamayparticulas)
            splash(particle);
        else
            respawn(particle);
    }
}

DropCorners dropCorners(const Particle& particle) {
    const Turn motion = motionDirection(particle);
    const float radius = 0.4f * std::sqrt(particle.width * particle.width + particle.height * particle.height);
    DropCorners corners;
    for (int corner = 0; corner < 4; ++corner) {
        const Turn& turn = cornerTurns[corner];
        const double cosAngle = motion.cos * turn.cos - motion.sin * turn.sin;
        const double sinAngle = motion.sin * turn.cos + motion.cos * turn.sin;
        corners.x[corner] = static_cast<float>(particle.x + radius * cosAngle);
        corners.y[corner] = static_cast<float>(particle.y + radius * sinAngle);
    }
    return corners;
}

void updateAndDrawParticles() {
    resizeParticlePool(settings.numeroparticulas);
    for (int32_t index = 0; index < particlePool.particleCount; ++index)
        stepParticle(particlePool.particles[index]);
    for (int32_t index = 0; index < particlePool.particleCount; ++index)
        drawDrop(particlePool.particles[index]);
}
