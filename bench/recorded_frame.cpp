#include "bench/recorded_scene.h"

#include "scene/particles.h"
#include "scene/scene_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

// From recorded_scene.cpp, whose scene types cannot be named here.
extern size_t recordedSceneStateSize;
extern size_t recordedParticleSize;
void renderRecordedFrame(const void* scene, const void* particles, int32_t count, GlRecording& recording);

GlRecording recordFrame() {
    static_assert(std::is_trivially_copyable_v<SceneState> && std::is_trivially_copyable_v<Particle>);
    if (recordedSceneStateSize != sizeof(SceneState) || recordedParticleSize != sizeof(Particle))
        std::abort();
    GlRecording recording;
    renderRecordedFrame(&sceneState, particlePool.particles, particlePool.particleCount, recording);
    return recording;
}
