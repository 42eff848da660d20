// A frame allocates nothing: the saver draws for hours, and the only heap
// block a frame may take is a new drop pool when the wanted count changes.
// This program replaces the global operator new to count what the scene
// code asks for while it draws frames. No GL context is current: GLVND then
// sends every GL call to a stub that does nothing, so the count is the scene
// code's own and not the GL driver's, which allocates as it sees fit.

#include "scene/frame.h"
#include "scene/particles.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

bool counting = false;
long allocations = 0;

void* allocate(std::size_t size) {
    if (counting)
        ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

// The frames drawn while counting.
long allocationsIn(int frames) {
    allocations = 0;
    counting = true;
    for (int frame = 0; frame < frames; ++frame)
        renderFrame();
    counting = false;
    return allocations;
}

class FrameAllocation : public testing::Test {
protected:
    void SetUp() override {
        // Every drawing step on: shading, masks, the chase and the drops.
        settings.efecto = 1;
        settings.efectoulmo = 3;
        settings.mascara = 1;
    }
};

TEST_F(FrameAllocation, FramesAllocateNothingOnceThePoolHasItsSize) {
    settings.numeroparticulas = 9999;
    EXPECT_EQ(allocationsIn(1), 1) << "the pool grows to 9,999 drops in one block";
    EXPECT_EQ(allocationsIn(200), 0);
    settings.numeroparticulas = 50;
    EXPECT_EQ(allocationsIn(1), 1) << "and shrinks in one block";
    EXPECT_EQ(allocationsIn(200), 0);
}

TEST_F(FrameAllocation, FramesWithoutDropsAllocateNothing) {
    settings.sangrante = 0;
    settings.numeroparticulas = 9999; // not followed while the drops are off
    EXPECT_EQ(allocationsIn(100), 0);
}

} // namespace

// clang-format off
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (counting)
        ++allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
// clang-format on
