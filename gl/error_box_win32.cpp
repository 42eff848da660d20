// On Windows every message is a modal box with no owner.
#include "gl/error_box.h"

#include <windows.h>

namespace {

void showMessageBox(const char* text, const char* caption, unsigned flags) {
    MessageBoxA(nullptr, text, caption, flags);
}

} // namespace

ErrorBoxSink errorBoxSink = showMessageBox;

void showErrorBox(const char* text, const char* caption, unsigned flags) {
    errorBoxSink(text, caption, flags);
}
