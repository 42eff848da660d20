#include "bitmap_file.h"

#include "gl/bitmap_decoder.h"
#include "gl/pictures.h"

#include <fstream>
#include <iterator>
#include <vector>

std::string bitmapFilePath(int resourceId) {
    const char* name = bitmapFileName(resourceId);
    return std::string(NORWYN_BITMAP_DIR) + "/" + (name ? name : "");
}

bool loadBitmapFile(const std::string& path, BitmapPixels& pixels) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return decodeBitmap(data.data(), data.size(), pixels) == BitmapError::None;
}
