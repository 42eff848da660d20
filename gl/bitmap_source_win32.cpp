// Pictures out of the program's own bitmap resources, through GDI. Loaded as
// a DIB section, a bitmap keeps its own depth and palette, so the 24-bit copy
// holds the exact palette colours whatever the display's depth.

#include "gl/bitmap_source_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

bool loadBitmapPixels(int resourceId, BitmapPixels& pixels) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight; // positive: bottom row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;

    // 24-bit DIB rows are padded to four bytes; copy them out without padding.
    const size_t rowBytes = static_cast<size_t>(info.bmWidth) * 3;
    const size_t stride = (rowBytes + 3) & ~size_t(3);
    std::vector<uint8_t> padded(stride * info.bmHeight);
    const int lines = GetDIBits(memory, bitmap, 0, info.bmHeight, padded.data(), reinterpret_cast<BITMAPINFO*>(&header),
                                DIB_RGB_COLORS);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    if (lines != info.bmHeight)
        return false;

    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    pixels.bgr.resize(rowBytes * info.bmHeight);
    for (int row = 0; row < info.bmHeight; ++row)
        std::copy_n(padded.data() + stride * row, rowBytes, pixels.bgr.data() + rowBytes * row);
    return true;
}

BitmapSource bitmapSource = loadBitmapPixels;
