#include "scene/frame.h"

#include "gl/gl_headers.h"
#include "gl/texture_set.h"
#include "scene/background_grid.h"
#include "scene/frame_clock.h"
#include "scene/particles.h"
#include "scene/scene_state.h"
#include "scene/sprites.h"
#include "settings/settings.h"

#include <cmath>

SceneState sceneState;

namespace {

constexpr float phaseStep = 0.59999996f; // one step below the float nearest 0.6
constexpr float twoPi = 6.28318548f;
constexpr float pulseCurve = 1.0f / 3000;
constexpr float pulseHigh = 100;
constexpr float pulseLow = -50;

// Every use of phase has period 2*pi, so wrapping it changes no picture, while
// a float that only grew would stop advancing after an hour at high rates.
// fmod is exact, so a phase below 4*pi loses exactly 2*pi.
float wrapPhase(float phase) {
    if (!std::isfinite(phase))
        return 0;
    return phase >= twoPi ? std::fmod(phase, twoPi) : phase;
}

} // namespace

void advanceFrameRate(double frameDuration) {
    // Two readings within one millisecond (or a millisecond timer that wrapped)
    // give no usable rate; such a frame keeps the previous estimates.
    if (frameDuration > 0) {
        const double rate = 1.0 / frameDuration;
        sceneState.smoothedFps = static_cast<float>((sceneState.smoothedFps + rate) * 0.5);
        // A stored average that is no number (an infinity or NaN left in the
        // registry) would stay one for ever; it counts as none, as at first.
        const float storedAverage = std::isfinite(settings.frames) ? settings.frames : 0.0f;
        settings.frames = static_cast<float>((rate + storedAverage) * 0.5);
    }
    if (sceneState.smoothedFps == 0 || std::isnan(sceneState.smoothedFps))
        sceneState.smoothedFps = 1;
    sceneState.phase = wrapPhase(sceneState.phase + phaseStep / sceneState.smoothedFps);
}

void advancePulse() {
    const float pulse = sceneState.pulse;
    const float velocity = sceneState.pulseVelocity;
    sceneState.pulse = pulse + velocity + velocity * (pulse * pulse) * pulseCurve;
    if (sceneState.pulse > pulseHigh)
        sceneState.pulseVelocity = -0.4f;
    if (sceneState.pulse < pulseLow)
        sceneState.pulseVelocity = 0.4f;
}

void renderFrame() {
    frameClock.update();
    advanceFrameRate(frameClock.frameDuration);
    advancePulse();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0, 0, -2);
    drawBackgroundGrid();

    drawCharacter(sceneState.characterX, sceneState.characterY, characterMaskSlot, characterSlot);
    drawLogo();
    moveCharacters(settings.efectoulmo, sceneState.phase, sceneState);
    if (settings.efectoulmo == 3)
        drawCharacter(sceneState.chaserX, sceneState.chaserY, chaserMaskSlot, chaserSlot);
    if (settings.sangrante)
        updateAndDrawParticles();

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}
