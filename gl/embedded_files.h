#pragma once
// Files built into the Linux program: the bitmaps the .scr carries as resources.

#include <cstddef>

struct EmbeddedFile {
    const char* name; // the file's name in resources/bitmaps
    const unsigned char* data;
    size_t size;
};

extern const EmbeddedFile embeddedFiles[];
extern const int embeddedFileCount;
