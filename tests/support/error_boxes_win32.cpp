#include "error_boxes_win32.h"

#include "gl/error_box.h"

#include <windows.h>

#include <utility>

namespace {

ErrorBoxes caught;

} // namespace

void PrintTo(const ErrorBox& box, std::ostream* out) {
    *out << '"' << box.text << "\" under \"" << box.caption << "\" flags 0x" << std::hex << box.flags << std::dec;
}

ErrorBox openingError(const char* text) {
    return {text, "ERROR", MB_OK | MB_ICONEXCLAMATION};
}

ErrorBox closingError(const char* text) {
    return {text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION};
}

void captureErrorBox(const char* text, const char* caption, unsigned flags) {
    caught.push_back({text, caption, flags});
}

void startCapturingErrorBoxes() {
    caught.clear();
    errorBoxSink = captureErrorBox;
}

ErrorBoxes takeErrorBoxes() {
    return std::exchange(caught, {});
}
