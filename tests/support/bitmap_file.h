#pragma once
// The program's BMP files as they lie in resources/bitmaps, for tests that
// hold the pictures against the files they were built from.

#include "gl/texture_set.h"

#include <string>

// The path of a bitmap resource's file (NORWYN_BITMAP_DIR is set by the build).
std::string bitmapFilePath(int resourceId);
bool loadBitmapFile(const std::string& path, BitmapPixels& pixels);
