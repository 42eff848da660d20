#include "gl/error_box.h"

void showErrorBox(const char* text, const char* caption, unsigned flags) {
    errorBoxSink(text, caption, flags);
}
