// On Linux there is nobody to click a box away: the message goes to stderr.
#include "gl/error_box.h"

#include <cstdio>

namespace {

void printMessage(const char* text, const char* caption, unsigned) {
    std::fprintf(stderr, "norwyn: %s: %s\n", caption, text);
}

} // namespace

ErrorBoxSink errorBoxSink = printMessage;
