#include "settings/dialog_rules.h"

#include "settings/scene_limits.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float thousandth = 0.001f;

} // namespace

int32_t colourFromEntry(uint32_t entered) {
    constexpr uint32_t brightest = brightestChannel;
    return static_cast<int32_t>(entered >= brightest ? brightest : entered);
}

int32_t dropCountFromEntry(uint32_t entered) {
    constexpr uint32_t mostDrops = largestParticleCount;
    return static_cast<int32_t>(entered >= mostDrops ? mostDrops : entered);
}

float dropSizeFromEntry(uint32_t entered) {
    if (entered >= largestDropSizeEntry)
        return largestDropSize;
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

const char* catalogCaptionForId(const Catalog& catalog, int32_t id) {
    for (int32_t index = 0; index < catalog.count; ++index)
        if (catalog.entries[index].id == id)
            return catalog.entries[index].caption;
    return "";
}
