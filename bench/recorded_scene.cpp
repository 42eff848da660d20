// The scene files compiled once more, inside namespace recordedScene, where a
// function of the same name stands in front of each GL function they call and
// records the call instead of making it. The scene's own headers are read
// inside the namespace too, so the copy has its own types, sceneState and
// drop pool, and no call in it can find the real scene functions; settings,
// the texture set, the frame clock and the random state are the real ones.
//
// Every other header the scene files include is included here first, outside
// the namespace, so that their own includes find it done. A scene file that
// starts including something new needs it added to this list. A GL function
// without a stand-in below would reach the real GL unrecorded: the build
// checks this object for references to gl* symbols and fails on any.

#include "bench/gl_recording.h"

#include "gl/gl_headers.h"
#include "gl/texture_set.h"
#include "scene/frame_clock.h"
#include "scene/random.h"
#include "settings/settings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <numbers>
#include <type_traits>
#include <utility>
#include <vector>

namespace recordedScene {

void glClear(GLbitfield mask) { activeGlRecording->add(GlOp::Clear, mask); }
void glLoadIdentity() { activeGlRecording->add(GlOp::LoadIdentity); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { activeGlRecording->add(GlOp::Translatef, x, y, z); }
void glBindTexture(GLenum target, GLuint name) { activeGlRecording->add(GlOp::BindTexture, target, name); }
void glBegin(GLenum mode) { activeGlRecording->add(GlOp::Begin, mode); }
void glEnd() { activeGlRecording->add(GlOp::End); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { activeGlRecording->add(GlOp::Color3f, r, g, b); }
void glTexCoord2f(GLfloat s, GLfloat t) { activeGlRecording->add(GlOp::TexCoord2f, s, t); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { activeGlRecording->add(GlOp::Vertex3f, x, y, z); }
void glEnable(GLenum capability) { activeGlRecording->add(GlOp::Enable, capability); }
void glDisable(GLenum capability) { activeGlRecording->add(GlOp::Disable, capability); }
void glBlendFunc(GLenum source, GLenum destination) { activeGlRecording->add(GlOp::BlendFunc, source, destination); }

// In this order, each file after those whose drawing functions it calls.
#include "scene/background_grid.cpp"
#include "scene/sprites.cpp"
#include "scene/particles.cpp"
#include "scene/frame.cpp"

} // namespace recordedScene

// The copy's types are the real ones read a second time: the same layout,
// which recordFrame checks by their sizes before it copies the real state in.
size_t recordedSceneStateSize = sizeof(recordedScene::SceneState);
size_t recordedParticleSize = sizeof(recordedScene::Particle);
static_assert(std::is_trivially_copyable_v<recordedScene::SceneState> &&
              std::is_trivially_copyable_v<recordedScene::Particle>);

void renderRecordedFrame(const void* scene, const void* particles, int32_t count, GlRecording& recording) {
    std::memcpy(&recordedScene::sceneState, scene, sizeof recordedScene::sceneState);
    recordedScene::ParticlePool& pool = recordedScene::particlePool;
    delete[] pool.particles;
    pool.particles = new recordedScene::Particle[static_cast<size_t>(std::max(count, 0))];
    pool.particleCount = count;
    if (count > 0)
        std::memcpy(pool.particles, particles, static_cast<size_t>(count) * sizeof(recordedScene::Particle));
    activeGlRecording = &recording;
    recordedScene::renderFrame();
    activeGlRecording = nullptr;
}
