// A run of frames, all but their GL calls, under any settings and any frame
// durations: the frame-rate estimates and phase, pulse, the 256 background
// cells, the characters' movement, and the pool of drops with their corners.
// Integer fields take any 32-bit value; the drop sizes and the stored frame
// rate any float (negative, zero, subnormal, huge, infinite, not a number);
// a duration any double, or the readings of a frame clock over any counter.
//
// Besides the sanitizers' checks, what must hold for any input: phase stays a
// number in [0, 2*pi), pulse within its swing, the rate estimate positive, the
// pool as large as the clamped wanted count, the characters on their paths,
// and an effect's offsets within its amplitude. Under plausible values
// (durations the clock can give, sizes and positions of ordinary magnitude)
// everything the frame would draw must also be finite.

#include "scene/background_grid.h"
#include "scene/frame.h"
#include "scene/frame_clock.h"
#include "scene/particles.h"
#include "scene/random.h"
#include "scene/scene_state.h"
#include "scene/sprites.h"
#include "settings/settings.h"

#include "process_state.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

namespace {

constexpr float twoPi = 6.28318548f;
constexpr int largestFrameCount = 64;

[[noreturn]] void fail(const char* what, int frame) {
    std::fprintf(stderr, "fuzz_frames: %s at frame %d\n", what, frame);
    std::fprintf(stderr, "  efecto %d efectoulmo %d numeroparticulas %d sombra %d sangrante %d\n", settings.efecto,
                 settings.efectoulmo, settings.numeroparticulas, settings.sombra, settings.sangrante);
    std::fprintf(stderr, "  tamax %g tamay %g frames %g\n", settings.tamaxparticulas, settings.tamayparticulas,
                 settings.frames);
    std::fprintf(stderr, "  smoothedFps %g phase %g pulse %g\n", sceneState.smoothedFps, sceneState.phase,
                 sceneState.pulse);
    std::abort();
}

int32_t consumeInt(FuzzedDataProvider& input) {
    // Mostly the small ids and counts the catalogs know, often their edges,
    // sometimes any 32-bit value.
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    if (choice < 96)
        return choice % 8;
    if (choice < 128) {
        // clang-format off
        static const int32_t edges[] = {-1, 7, 8, 255, 256, 9999, 10000, std::numeric_limits<int32_t>::max(),
                                        std::numeric_limits<int32_t>::min(), -256};
        // clang-format on
        return edges[choice % (sizeof edges / sizeof edges[0])];
    }
    return input.ConsumeIntegral<int32_t>();
}

float consumeFloat(FuzzedDataProvider& input) {
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    // clang-format off
    static const float notableValues[] = {
        0.0f, -0.0f, 0.05f, 0.07f, 0.1f, -0.05f, 1.0f, 1e30f, -1e30f,
        std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
        std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
        std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
    };
    // clang-format on
    if (choice < 128)
        return notableValues[choice % (sizeof notableValues / sizeof notableValues[0])];
    const uint32_t bits = input.ConsumeIntegral<uint32_t>();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double consumeDuration(FuzzedDataProvider& input) {
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    // clang-format off
    static const double notableValues[] = {
        1.0 / 60, 1.0 / 5000, 0.001, 0.0, -0.0, -1.0, 1e-7, 4294967.295, 1e300, -1e300,
        std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
    };
    // clang-format on
    if (choice < 96)
        return notableValues[choice % (sizeof notableValues / sizeof notableValues[0])];
    if (choice < 192) // a whole number of ticks of a 2 MHz or millisecond clock
        return input.ConsumeIntegral<uint32_t>() * (choice & 1 ? 0.001 : 1.0 / 2000000);
    const uint64_t bits = input.ConsumeIntegral<uint64_t>();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A frame clock over readings taken from the input.
FuzzedDataProvider* clockInput = nullptr;
bool clockHasCounter = true;
int64_t clockFrequency = 0;
int64_t clockCounter = 0;
uint32_t clockMilliseconds = 0;

const TimeSource fuzzedTimeSource = {
    [](int64_t* frequency) {
        *frequency = clockHasCounter ? clockFrequency : 0;
        return clockHasCounter;
    },
    [](int64_t* counter) {
        // Mostly forwards by a little, sometimes anywhere.
        if (clockInput->ConsumeBool())
            clockCounter =
                static_cast<int64_t>(static_cast<uint64_t>(clockCounter) + clockInput->ConsumeIntegral<uint32_t>());
        else
            clockCounter = clockInput->ConsumeIntegral<int64_t>();
        *counter = clockCounter;
    },
    []() {
        clockMilliseconds += clockInput->ConsumeBool() ? clockInput->ConsumeIntegralInRange<uint32_t>(0, 100)
                                                       : clockInput->ConsumeIntegral<uint32_t>();
        return clockMilliseconds;
    },
};

bool finite(float value) {
    return std::isfinite(value);
}

bool plausibleSize(float value) {
    return std::isfinite(value) && std::fabs(value) < 1e15f;
}

void startFromAFreshProcess(FuzzedDataProvider& input) {
    resetProcessState();
    if (!input.ConsumeBool())
        randomState = input.ConsumeIntegral<uint32_t>();
}

void consumeSettings(FuzzedDataProvider& input) {
    settings.mascara = consumeInt(input);
    settings.sombra = consumeInt(input);
    settings.efecto = consumeInt(input);
    settings.efectoulmo = consumeInt(input);
    settings.imagenfondo = consumeInt(input);
    settings.numeroparticulas = consumeInt(input);
    settings.tamaxparticulas = consumeFloat(input);
    settings.tamayparticulas = consumeFloat(input);
    settings.rojosombra = consumeInt(input);
    settings.verdesombra = consumeInt(input);
    settings.azulsombra = consumeInt(input);
    settings.sangrante = consumeInt(input);
    settings.frames = consumeFloat(input);
    settings.saveToRegistry = consumeInt(input);
}

void checkCells(int frame, bool plausible) {
    const ShadowTint tint = {settings.rojosombra, settings.verdesombra, settings.azulsombra};
    const float pulse = sceneState.pulse;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            GridCell cell;
            computeCellOffsets(settings.efecto, i, j, sceneState.phase, pulse, cell);
            const float offsets[4] = {cell.ds0, cell.ds1, cell.dt0, cell.dt1};
            // The largest offset each effect can give, a little loose for rounding.
            float bound;
            switch (settings.efecto) {
            case 1: // 1 / (90 - pulse) with pulse in its swing, never nearer zero than this
                bound = std::numeric_limits<float>::infinity();
                break;
            case 2:
                bound = 1.0f / 140 * 1.001f;
                break;
            case 3:
                bound = 0.0125f * 1.001f;
                break;
            case 4:
            case 5:
                bound = 2.001f;
                break;
            case 6:
                bound = std::fabs((pulse + 50) / 150) * 1.001f + 17.0f / 16;
                break;
            default:
                bound = 0;
                break;
            }
            for (const float offset : offsets) {
                if (std::isnan(offset) && settings.efecto != 1)
                    fail("a cell offset that is not a number", frame);
                if (std::fabs(offset) > bound)
                    fail("a cell offset beyond its effect's amplitude", frame);
            }
            if (settings.sombra) {
                shadeCell(settings.efecto, tint, cell);
                if (plausible && settings.efecto != 1)
                    for (const auto& vertex : cell.colour)
                        for (const float channel : vertex)
                            if (!finite(channel))
                                fail("a vertex colour that is not finite", frame);
            }
        }
    }
    const int slot = backgroundSlot(settings.imagenfondo);
    if (slot < 0 || slot >= 7)
        fail("a background slot outside the texture set", frame);
}

void checkCharacters(int frame, const SceneState& before) {
    const float xs[2] = {sceneState.characterX, sceneState.chaserX};
    const float ys[2] = {sceneState.characterY, sceneState.chaserY};
    for (int figure = 0; figure < 2; ++figure) {
        if (!finite(xs[figure]) || !finite(ys[figure]))
            fail("a character off the map", frame);
        // The ellipse's box, and the resting place below its top.
        if (xs[figure] < -1.0501f || xs[figure] > 0.4501f || ys[figure] < -0.2501f || ys[figure] > 0.6501f)
            fail("a character off its path", frame);
    }
    const bool moves = settings.efectoulmo >= 0 && settings.efectoulmo <= 4;
    if (!moves && (sceneState.characterX != before.characterX || sceneState.characterY != before.characterY ||
                   sceneState.chaserX != before.chaserX || sceneState.chaserY != before.chaserY))
        fail("an unknown movement that moved a character", frame);
    if (settings.efectoulmo != 3 && (sceneState.chaserX != before.chaserX || sceneState.chaserY != before.chaserY))
        fail("the chaser moved without its movement", frame);
}

void checkDrops(int frame, bool plausible) {
    const int32_t wanted = std::clamp(settings.numeroparticulas, 0, largestParticleCount);
    if (particlePool.particleCount != wanted)
        fail("a pool of another size than the clamped wanted count", frame);
    if (wanted > 0 && !particlePool.particles)
        fail("a pool without drops", frame);
    for (int32_t index = 0; index < particlePool.particleCount; ++index) {
        const Particle& drop = particlePool.particles[index];
        const DropCorners corners = dropCorners(drop);
        if (!plausible)
            continue;
        if (!finite(drop.x) || !finite(drop.y) || !finite(drop.vx) || !finite(drop.vy))
            fail("a drop that is not finite under plausible values", frame);
        for (int corner = 0; corner < 4; ++corner)
            if (!finite(corners.x[corner]) || !finite(corners.y[corner]))
                fail("a drop corner that is not finite under plausible values", frame);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    startFromAFreshProcess(input);
    consumeSettings(input);
    if (input.ConsumeBool())
        createParticlePool(); // as the program starts

    // Durations straight from the input, or from a frame clock over readings.
    const bool fromClock = input.ConsumeBool();
    std::optional<FrameClock> clock;
    if (fromClock) {
        clockInput = &input;
        clockHasCounter = input.ConsumeBool();
        clockFrequency = input.ConsumeBool() ? input.ConsumeIntegralInRange<int64_t>(1, 10000000000LL)
                                             : input.ConsumeIntegral<int64_t>();
        clockCounter = input.ConsumeIntegral<int64_t>();
        clockMilliseconds = input.ConsumeIntegral<uint32_t>();
        clock.emplace(fuzzedTimeSource);
        clock->update();
    }

    // Everything stays finite while the durations are ones a working clock
    // gives and the sizes and rate are of ordinary magnitude.
    bool plausible = plausibleSize(settings.tamaxparticulas) && plausibleSize(settings.tamayparticulas);

    const int frameCount = input.ConsumeIntegralInRange(1, largestFrameCount);
    for (int frame = 0; frame < frameCount; ++frame) {
        double duration;
        if (clock) {
            clock->update();
            duration = clock->frameDuration;
            // The counter gives whole ticks of a finite period; only the
            // millisecond timer can step back, when it wraps.
            if (clockHasCounter && clockFrequency > 0 && !(duration >= 0 && std::isfinite(duration)))
                fail("a performance counter that gave no finite duration", frame);
        } else {
            duration = consumeDuration(input);
        }
        const bool plausibleDuration = duration >= 1e-9 && duration <= 1e10;
        if (duration > 0 && !plausibleDuration)
            plausible = false;
        // The pool follows the wanted count from frame to frame.
        if (input.ConsumeIntegral<uint8_t>() < 16)
            settings.numeroparticulas = consumeInt(input);

        advanceFrameRate(duration);
        advancePulse();
        if (!(sceneState.smoothedFps > 0))
            fail("a frame-rate estimate that is not positive", frame);
        if (!(sceneState.phase >= 0 && sceneState.phase < twoPi))
            fail("a phase outside [0, 2*pi)", frame);
        if (!(sceneState.pulse > -50.75f && sceneState.pulse < 101.75f))
            fail("a pulse beyond its swing", frame);
        // The average a full-screen run stores comes back to a number with the
        // first usable frame, whatever the store held before.
        if (plausibleDuration && !finite(settings.frames))
            fail("a stored frame rate that stays no number", frame);

        checkCells(frame, plausible);

        const SceneState before = sceneState;
        moveCharacters(settings.efectoulmo, sceneState.phase, sceneState);
        checkCharacters(frame, before);

        if (settings.sangrante) {
            resizeParticlePool(settings.numeroparticulas);
            for (int32_t index = 0; index < particlePool.particleCount; ++index)
                stepParticle(particlePool.particles[index]);
            checkDrops(frame, plausible);
        }
    }
    clockInput = nullptr;
    return 0;
}
