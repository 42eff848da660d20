// Host builds read the pictures from the BMP files themselves.
#include "gl/bitmap_decoder.h"

BitmapSource bitmapSource = loadBitmapFromFolder;
