// The pictures as GDI gives them out of the program's resources, against the
// portable decoder reading the very same files, and as they reach GL.

#include "gl/bitmap_source_win32.h"
#include "gl/gl_window_win32.h"
#include "gl/texture_set.h"

#include "bitmap_file.h"
#include "saver_window_test_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

namespace {

BitmapPixels decodedFile(int id) {
    BitmapPixels pixels;
    EXPECT_TRUE(loadBitmapFile(bitmapFilePath(id), pixels)) << id;
    return pixels;
}

TEST(TextureBitmaps, GdiGivesTheSamePixelsAsTheDecoder) {
    const int allIds[] = {103, 106, 107, 110, 112, 113, 116, 117, 118, 119, 121, 123, 127};
    for (int id : allIds) {
        SCOPED_TRACE(id);
        BitmapPixels fromGdi;
        ASSERT_TRUE(loadBitmapPixels(id, fromGdi));
        const BitmapPixels fromFile = decodedFile(id);
        EXPECT_EQ(fromGdi.width, fromFile.width);
        EXPECT_EQ(fromGdi.height, fromFile.height);
        EXPECT_TRUE(fromGdi.bgr == fromFile.bgr);
    }
}

TEST(TextureBitmaps, TheOneBitMaskBecomesPureWhiteAndPureBlack) {
    BitmapPixels mask;
    ASSERT_TRUE(loadBitmapPixels(103, mask));
    std::set<int> colours;
    for (size_t offset = 0; offset < mask.bgr.size(); offset += 3)
        colours.insert(mask.bgr[offset] << 16 | mask.bgr[offset + 1] << 8 | mask.bgr[offset + 2]);
    EXPECT_EQ(colours, (std::set<int>{0x000000, 0xFFFFFF}));
}

TEST(TextureBitmaps, AMissingResourceIsAFailure) {
    BitmapPixels pixels;
    EXPECT_FALSE(loadBitmapPixels(4242, pixels));
}

using TextureSet = SaverWindowTest;

// What reached glTexImage2D, read back from GL.
TEST_F(TextureSet, TheFirstByteOfSlotZeroIsTheRedOfTheSwordsBottomLeftPixel) {
    ASSERT_TRUE(openSaverWindow("t", windowRect(), 16));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), textureSet.names[6]) << "the drop picture stays bound";
    const BitmapPixels sword = decodedFile(107);
    std::vector<uint8_t> texels(256 * 256 * 3);
    glBindTexture(GL_TEXTURE_2D, textureSet.names[0]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels[0], sword.bgr[2]);
    EXPECT_EQ(texels[1], sword.bgr[1]);
    EXPECT_EQ(texels[2], sword.bgr[0]);
    for (int slot = 0; slot < textureSlotCount; ++slot) {
        GLint width = 0, filter = 0;
        glBindTexture(GL_TEXTURE_2D, textureSet.names[slot]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        EXPECT_EQ(width, 256) << slot;
        EXPECT_EQ(filter, GL_LINEAR) << slot;
    }
    closeSaverWindow();
}

} // namespace
