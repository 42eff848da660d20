// The command-line scan on any bytes. Besides surviving every input, the scan
// must give a known mode, carry a window only for the switches that take
// one, and read numbers exactly as the C library's strtoll does, saturation
// included.

#include "shell/command_line.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void fail(const char* what, const std::string& line) {
    std::fprintf(stderr, "fuzz_command_line: %s for \"%s\"\n", what, line.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The process hands the program one NUL-terminated string; a NUL inside
    // the input ends it there, as it would end the real command line.
    const std::string line(reinterpret_cast<const char*>(data), size);
    const char* text = line.c_str();

    const CommandLine scanned = scanCommandLine(text);
    switch (scanned.mode) {
    case NoMode:
    case Saver:
        if (scanned.windowNumber != 0 || scanned.wantsForegroundWindow)
            fail("a window for a switch that takes none", line);
        break;
    case Configure:
        if (scanned.wantsForegroundWindow && scanned.windowNumber != 0)
            fail("both a window number and the foreground window", line);
        break;
    case ChangePassword:
    case Preview:
        if (scanned.wantsForegroundWindow)
            fail("the foreground window outside a configure switch", line);
        break;
    default:
        fail("an unknown mode", line);
    }

    // readNumber against strtoll, which saturates at the same limits.
    errno = 0;
    const long long expected = std::strtoll(text, nullptr, 10);
    const int64_t read = readNumber(text);
    if (read != expected)
        fail("readNumber differs from strtoll", line);

    // Anything after the program path is also a number some switch may read.
    for (const char* p = text; *p; ++p) {
        // At the last of a run of blanks and colons, so that long runs stay linear.
        if ((*p != ' ' && *p != ':') || p[1] == ' ' || p[1] == ':')
            continue;
        if (readNumber(p + 1) != std::strtoll(p + 1, nullptr, 10))
            fail("readNumber differs from strtoll inside the line", line);
    }
    return 0;
}
