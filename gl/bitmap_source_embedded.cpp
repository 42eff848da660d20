// Pictures on Linux: the BMP files built into the program, through the
// portable decoder, as the .scr's resources go through GDI.

#include "gl/bitmap_decoder.h"
#include "gl/pictures.h"
#include "gl/embedded_files.h"

#include <cstring>

namespace {

bool loadEmbeddedBitmap(int resourceId, BitmapPixels& pixels) {
    const char* name = bitmapFileName(resourceId);
    if (!name)
        return false;
    for (int index = 0; index < embeddedFileCount; ++index) {
        const EmbeddedFile& file = embeddedFiles[index];
        if (std::strcmp(file.name, name) == 0)
            return decodeBitmap(file.data, file.size, pixels) == BitmapError::None;
    }
    return false;
}

} // namespace

BitmapSource bitmapSource = loadEmbeddedBitmap;
