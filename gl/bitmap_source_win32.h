#pragma once

#include "gl/texture_set.h"

// One bitmap resource of the program as 24-bit rows, bottom row first.
bool loadBitmapPixels(int resourceId, BitmapPixels& pixels);
