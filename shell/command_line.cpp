#include "shell/command_line.h"

#include <limits>

namespace {

// The screen-saver machinery separates its arguments with blanks only; a tab
// is part of the word it stands in.
constexpr char blank = ' ';

bool isNumberSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* skipProgramPath(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
    } else {
        while (*p && *p != blank)
            ++p;
    }
    if (*p)
        ++p; // the closing quote or the blank
    return p;
}

const char* skipBlanksAndColons(const char* p) {
    while (*p == blank || *p == ':')
        ++p;
    return p;
}

} // namespace

int64_t readNumber(const char* p) {
    while (isNumberSpace(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    // Accumulate towards the sign so that the most negative value is reachable.
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const int digit = *p - '0';
        if (negative) {
            if (value < (std::numeric_limits<int64_t>::min() + digit) / 10)
                return std::numeric_limits<int64_t>::min();
            value = value * 10 - digit;
        } else {
            if (value > (std::numeric_limits<int64_t>::max() - digit) / 10)
                return std::numeric_limits<int64_t>::max();
            value = value * 10 + digit;
        }
    }
    return value;
}

CommandLine scanCommandLine(const char* line) {
    CommandLine result;
    const char* p = skipProgramPath(line);
    while (*p == blank)
        ++p;
    if (!*p) {
        result.mode = Configure;
        return result;
    }
    if (*p == '-' || *p == '/')
        ++p;
    const char letter = *p;
    const char* rest = letter ? skipBlanksAndColons(p + 1) : p;
    switch (letter) {
    case 'a':
    case 'A':
        result.mode = ChangePassword;
        result.windowNumber = readNumber(rest);
        break;
    case 'c':
    case 'C':
        result.mode = Configure;
        if (*rest)
            result.windowNumber = readNumber(rest);
        else
            result.wantsForegroundWindow = true;
        break;
    case 'p':
    case 'P':
    case 'l':
    case 'L':
        result.mode = Preview;
        result.windowNumber = readNumber(rest);
        break;
    case 's':
    case 'S':
        result.mode = Saver;
        break;
    default:
        break;
    }
    return result;
}
