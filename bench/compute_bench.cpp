// The frame's computation without the GL: the background grid's offsets and
// colours, and the drops' step and corners.

#include "bench/scene_setup.h"

#include "scene/background_grid.h"
#include "scene/particles.h"
#include "scene/scene_state.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

const SceneSnapshot& snapshotWith(int drops) {
    static std::map<int, SceneSnapshot> snapshots;
    auto found = snapshots.find(drops);
    if (found == snapshots.end())
        found = snapshots.emplace(drops, warmedUpScene(drops)).first;
    return found->second;
}

// computeCellOffsets and shadeCell over the 256 cells, with phase and pulse
// moving from frame to frame as they do in the saver.
void gridCells(benchmark::State& state) {
    const int efecto = static_cast<int>(state.range(0));
    const ShadowTint tint = {255, 255, 255};
    float phase = 0.25f;
    float pulse = -50;
    for (auto _ : state) {
        for (int i = 0; i < gridSize; ++i)
            for (int j = 0; j < gridSize; ++j) {
                GridCell cell;
                computeCellOffsets(efecto, i, j, phase, pulse, cell);
                shadeCell(efecto, tint, cell);
                benchmark::DoNotOptimize(cell);
            }
        phase += 0.01f;
        if (phase >= 6.28f)
            phase -= 6.28f;
        pulse += 0.4f;
        if (pulse > 100)
            pulse = -50;
    }
    state.counters["cells"] = gridSize * gridSize;
}
BENCHMARK(gridCells)->Name("grid/effect")->DenseRange(0, effectCount - 1);

void stepEveryDrop() {
    for (int32_t index = 0; index < particlePool.particleCount; ++index)
        stepParticle(particlePool.particles[index]);
}

void cornersOfEveryDrop() {
    for (int32_t index = 0; index < particlePool.particleCount; ++index) {
        const DropCorners corners = dropCorners(particlePool.particles[index]);
        benchmark::DoNotOptimize(corners);
    }
}

// The drops' work of a frame, over a warmed-up pool of state.range(0) drops.
template <void (*work)()>
void dropWork(benchmark::State& state) {
    const int drops = static_cast<int>(state.range(0));
    snapshotWith(drops).restore();
    for (auto _ : state) {
        work();
        benchmark::ClobberMemory();
    }
    state.counters["drops"] = drops;
}

// A drop's whole computation in a frame: its step, then its corners.
void stepsAndCorners() {
    stepEveryDrop();
    cornersOfEveryDrop();
}

BENCHMARK(dropWork<stepEveryDrop>)->Name("drops/step")->Arg(200)->Arg(2000)->Arg(9999);
BENCHMARK(dropWork<cornersOfEveryDrop>)->Name("drops/corners")->Arg(200)->Arg(2000)->Arg(9999);
BENCHMARK(dropWork<stepsAndCorners>)->Name("drops/step+corners")->Arg(200)->Arg(2000)->Arg(9999);

} // namespace
