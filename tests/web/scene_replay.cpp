// Runs the scene for a number of frames under scripted frame times and the
// given settings, then prints its state, every float as its bits and its
// value: "phase 0x40490fdb 3.14159274". Built natively and for Node; the web
// tests compare the two outputs line by line.
//   scene_replay FRAMES [name=value ...]
#include "scene/frame.h"
#include "scene/frame_clock.h"
#include "scene/particles.h"
#include "scene/scene_state.h"
#include "settings/catalogs.h"
#include "settings/float_text.h"
#include "settings/setting_pairs.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Frame times that a real run meets: steady, jittered, a stall, a burst.
constexpr int64_t frameNanoseconds[] = {16666667, 16700000, 16600000, 33333333, 8000000, 16666667, 250000000, 1000000};
int64_t counter = 1000000000;
int tick = 0;

bool scriptedFrequency(int64_t* frequency) {
    *frequency = 1000000000;
    return true;
}

void scriptedCounter(int64_t* now) {
    counter += frameNanoseconds[tick++ % std::size(frameNanoseconds)];
    *now = counter;
}

uint32_t scriptedMilliseconds() {
    return static_cast<uint32_t>(counter / 1000000);
}

const TimeSource scriptedTime = {scriptedFrequency, scriptedCounter, scriptedMilliseconds};

void print(const char* name, float value) {
    std::printf("%s 0x%08x %.9g\n", name, floatBits(value), static_cast<double>(value));
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 0;
    buildCatalogs();
    std::vector<SettingPair> pairs;
    for (int index = 2; index < argc; ++index) {
        const char* equals = std::strchr(argv[index], '=');
        if (equals)
            pairs.push_back({std::string(argv[index], static_cast<size_t>(equals - argv[index])), equals + 1});
    }
    StoredValue values[storedValueCount];
    collectStoredValues(values);
    for (const SettingsFileProblem& problem : readSettingPairs(pairs, values, storedValueCount))
        std::fprintf(stderr, "scene_replay: %s\n", problem.message.c_str());
    for (int index = 0; index < storedValueCount; ++index)
        if (values[index].found)
            setSettingBits(settings, settingFields[index], values[index].bits);

    frameClock = FrameClock(scriptedTime);
    createParticlePool();
    frameClock.update();
    for (int frame = 0; frame < frames; ++frame)
        renderFrame();

    print("smoothedFps", sceneState.smoothedFps);
    print("phase", sceneState.phase);
    print("pulse", sceneState.pulse);
    print("pulseVelocity", sceneState.pulseVelocity);
    print("characterX", sceneState.characterX);
    print("characterY", sceneState.characterY);
    print("chaserX", sceneState.chaserX);
    print("chaserY", sceneState.chaserY);
    print("frames", settings.frames);
    std::printf("drops %d\n", particlePool.particleCount);
    char name[64];
    for (int32_t index = 0; index < particlePool.particleCount; ++index) {
        const Particle& drop = particlePool.particles[index];
        const float fields[] = {drop.x, drop.y, drop.vx, drop.vy, drop.width, drop.height};
        const char* names[] = {"x", "y", "vx", "vy", "width", "height"};
        for (int field = 0; field < 6; ++field) {
            std::snprintf(name, sizeof name, "drop[%d].%s", index, names[field]);
            print(name, fields[field]);
        }
    }
    return 0;
}
