#pragma once
// The error boxes a test catches instead of showing: every "ERROR" and
// "SHUTDOWN ERROR" message the product sends through errorBoxSink.

#include <ostream>
#include <string>
#include <vector>

struct ErrorBox {
    std::string text, caption;
    unsigned flags = 0;
    bool operator==(const ErrorBox&) const = default;
};
void PrintTo(const ErrorBox& box, std::ostream* out);

using ErrorBoxes = std::vector<ErrorBox>;

// A failure of the window's opening, as it is shown: under "ERROR", with OK
// and an exclamation mark.
ErrorBox openingError(const char* text);
// A failure of its closing: under "SHUTDOWN ERROR", with OK and an "i".
ErrorBox closingError(const char* text);

// The sink that records a box instead of showing it.
void captureErrorBox(const char* text, const char* caption, unsigned flags);
// Installs captureErrorBox with nothing caught yet.
void startCapturingErrorBoxes();
// The boxes caught since the capture started or since the last take, in the
// order they were shown.
ErrorBoxes takeErrorBoxes();
