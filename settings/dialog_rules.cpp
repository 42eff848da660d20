#include "settings/dialog_rules.h"

#include "scene/particles.h"

#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t brightestChannel = 255;
constexpr uint32_t largestSizeEntry = 100;
constexpr float largestSize = 0.1f;
constexpr float thousandth = 0.001f;

} // namespace

int32_t colourFromEntry(uint32_t entered) {
    return static_cast<int32_t>(entered >= brightestChannel ? brightestChannel : entered);
}

int32_t dropCountFromEntry(uint32_t entered) {
    constexpr uint32_t mostDrops = largestParticleCount;
    return static_cast<int32_t>(entered >= mostDrops ? mostDrops : entered);
}

float dropSizeFromEntry(uint32_t entered) {
    if (entered >= largestSizeEntry)
        return largestSize;
    return static_cast<float>(entered) * thousandth;
}

uint32_t dropSizeEntry(float size) {
    const double thousandths = static_cast<double>(size) * 1000;
    if (!(thousandths >= 0))
        return 0;
    if (thousandths >= 4294967295.0)
        return 4294967295u;
    return static_cast<uint32_t>(thousandths);
}

int32_t catalogIdForCaption(const Catalog& catalog, const char* text, int32_t current) {
    for (int32_t index = 0; index < catalog.count; ++index)
        if (std::strcmp(catalog.entries[index].caption, text) == 0)
            current = catalog.entries[index].id;
    return current;
}
