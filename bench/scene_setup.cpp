#include "bench/scene_setup.h"

#include "scene/frame.h"
#include "scene/random.h"
#include "scene/sprites.h"

#include "process_state.h"

#include <algorithm>

int64_t scriptedCounter = 0;

namespace {

bool scriptedFrequency(int64_t* frequency) {
    *frequency = 1000000000;
    return true;
}

void scriptedQuery(int64_t* counter) {
    *counter = scriptedCounter;
}

uint32_t scriptedMilliseconds() {
    return static_cast<uint32_t>(scriptedCounter / 1000000);
}

} // namespace

const TimeSource scriptedTimeSource = {scriptedFrequency, scriptedQuery, scriptedMilliseconds};

SceneSnapshot SceneSnapshot::take() {
    SceneSnapshot snapshot;
    snapshot.settings = ::settings;
    snapshot.scene = sceneState;
    snapshot.drops.assign(particlePool.particles, particlePool.particles + particlePool.particleCount);
    snapshot.random = randomState;
    snapshot.clock = frameClock;
    return snapshot;
}

void SceneSnapshot::restore() const {
    ::settings = settings;
    sceneState = scene;
    const int32_t count = static_cast<int32_t>(drops.size());
    if (particlePool.particleCount != count) {
        delete[] particlePool.particles;
        particlePool.particles = new Particle[drops.size()];
        particlePool.particleCount = count;
    }
    std::copy(drops.begin(), drops.end(), particlePool.particles);
    randomState = random;
    frameClock = clock;
}

void startScene(int drops) {
    resetProcessState();
    ::settings.numeroparticulas = drops;
    ::settings.sangrante = 1;
    createParticlePool();
    scriptedCounter = 0;
    frameClock = FrameClock(scriptedTimeSource);
    frameClock.update();
}

void runSceneComputation(int frames) {
    for (int frame = 0; frame < frames; ++frame) {
        scriptedCounter += sixtiethOfASecond;
        frameClock.update();
        advanceFrameRate(frameClock.frameDuration);
        advancePulse();
        moveCharacters(::settings.efectoulmo, sceneState.phase, sceneState);
        resizeParticlePool(::settings.numeroparticulas);
        for (int32_t index = 0; index < particlePool.particleCount; ++index)
            stepParticle(particlePool.particles[index]);
    }
}

SceneSnapshot warmedUpScene(int drops) {
    startScene(drops);
    runSceneComputation(warmUpFrames);
    return SceneSnapshot::take();
}
