#include "gl/texture_set.h"

#include "gl/pictures.h"

#include <cstddef>
#include <utility>

TextureSet textureSet;

namespace {

constexpr size_t texturePixelCount = textureSize * textureSize;

void swapRedAndBlue(std::vector<uint8_t>& pixels) {
    for (size_t offset = 0; offset < texturePixelCount * 3; offset += 3)
        std::swap(pixels[offset], pixels[offset + 2]);
}

} // namespace

int loadTextureSet() {
    BitmapPixels pictures[textureSlotCount];
    for (int slot = 0; slot < textureSlotCount; ++slot) {
        BitmapPixels& picture = pictures[slot];
        if (!bitmapSource(textureResourceId(slot), picture) || picture.width != textureSize ||
            picture.height != textureSize || picture.bgr.size() != texturePixelCount * 3)
            return 0;
    }
    for (BitmapPixels& picture : pictures)
        swapRedAndBlue(picture.bgr);

    glGenTextures(textureSlotCount, textureSet.names);
    for (int slot = 0; slot < textureSlotCount; ++slot) {
        glBindTexture(GL_TEXTURE_2D, textureSet.names[slot]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        // WebGL refuses the internal format 3 (every texture samples black); GL_RGB means the same.
        glTexImage2D(GL_TEXTURE_2D, 0, webGl ? GL_RGB : 3, textureSize, textureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     pictures[slot].bgr.data());
    }
    return 1;
}
