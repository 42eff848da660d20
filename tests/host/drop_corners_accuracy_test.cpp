// dropCorners turns the direction of motion by fixed angles instead of taking
// four cosines and four sines of its own angle. Held here against the direct
// formula, over a million drops: the same floats but for rare roundings, and
// never more than one unit in the last place apart.

#include "scene/particles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <utility>

namespace {

DropCorners directCorners(const Particle& particle) {
    const double theta = std::atan2(static_cast<double>(particle.vy), static_cast<double>(particle.vx)) + 1.57079632675;
    const float radius = 0.4f * std::sqrt(particle.width * particle.width + particle.height * particle.height);
    const double offsets[4] = {-2.094, -1.047, 1.047, 2.094};
    DropCorners corners;
    for (int corner = 0; corner < 4; ++corner) {
        const double angle = theta + offsets[corner];
        corners.x[corner] = static_cast<float>(particle.x + radius * std::cos(angle));
        corners.y[corner] = static_cast<float>(particle.y + radius * std::sin(angle));
    }
    return corners;
}

// The floats on a line, so that neighbours are one apart across zero too.
int64_t floatLine(float value) {
    int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits < 0 ? -static_cast<int64_t>(bits & 0x7fffffff) : bits;
}

int64_t unitsApart(float a, float b) {
    return std::llabs(floatLine(a) - floatLine(b));
}

TEST(DropCornersAccuracy, AMillionDropsMatchTheDirectFormula) {
    std::mt19937 generator(20261208);
    std::uniform_real_distribution<float> across(-1.2f, 1.2f);
    std::uniform_real_distribution<float> speed(-0.03f, 0.03f);
    std::uniform_real_distribution<float> fall(-0.2f, 0.03f);
    std::uniform_real_distribution<float> size(0, 0.1f);
    constexpr int drops = 1000000;
    int differing = 0;
    int64_t worst = 0;
    for (int drop = 0; drop < drops; ++drop) {
        const Particle particle = {across(generator), across(generator), speed(generator),
                                   fall(generator),   size(generator),   size(generator)};
        const DropCorners fast = dropCorners(particle);
        const DropCorners direct = directCorners(particle);
        for (int corner = 0; corner < 4; ++corner)
            for (const auto& [a, b] :
                 {std::pair{fast.x[corner], direct.x[corner]}, {fast.y[corner], direct.y[corner]}}) {
                const int64_t apart = unitsApart(a, b);
                differing += apart != 0;
                worst = std::max(worst, apart);
            }
    }
    RecordProperty("differing_coordinates", differing);
    EXPECT_LE(worst, 1);
    EXPECT_LT(differing, drops * 8 / 1000) << "more than one coordinate in a thousand differs";
    std::printf("%d of %d corner coordinates one unit off the direct formula\n", differing, drops * 8);
}

// Drops at rest or out of range take atan2's own direction, signed zeros
// included, and an infinite or missing speed gives what the formula gives.
TEST(DropCornersAccuracy, StillAndUnboundedDropsFollowTheDirectFormula) {
    const float infinity = std::numeric_limits<float>::infinity();
    const float speeds[][2] = {{0, 0},         {-0.0f, 0},  {0, -0.0f},      {-0.0f, -0.0f},      {infinity, 0},
                               {0, -infinity}, {1e-45f, 0}, {-3e38f, 3e38f}, {infinity, infinity}};
    for (const auto& [vx, vy] : speeds) {
        const Particle particle = {0.25f, -0.5f, vx, vy, 0.05f, 0.07f};
        const DropCorners fast = dropCorners(particle);
        const DropCorners direct = directCorners(particle);
        for (int corner = 0; corner < 4; ++corner) {
            EXPECT_LE(unitsApart(fast.x[corner], direct.x[corner]), 1) << vx << ", " << vy << " corner " << corner;
            EXPECT_LE(unitsApart(fast.y[corner], direct.y[corner]), 1) << vx << ", " << vy << " corner " << corner;
        }
    }
}

} // namespace
