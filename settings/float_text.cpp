#include "settings/float_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsWithWord(const char* at, const char* last, const char* word) {
    const size_t length = std::strlen(word);
    if (static_cast<size_t>(last - at) < length)
        return false;
    for (size_t index = 0; index < length; ++index)
        if ((at[index] | 0x20) != word[index])
            return false;
    return true;
}

// The end of the longest prefix that std::from_chars reads in the general
// format: a minus, then digits with an optional point and exponent, or
// inf, infinity, nan, nan(chars). first when there is none.
const char* numberEnd(const char* first, const char* last) {
    const char* at = first;
    if (at < last && *at == '-')
        ++at;
    if (startsWithWord(at, last, "infinity"))
        return at + 8;
    if (startsWithWord(at, last, "inf"))
        return at + 3;
    if (startsWithWord(at, last, "nan")) {
        at += 3;
        const char* close = at;
        if (close < last && *close == '(') {
            ++close;
            while (close < last &&
                   (isDigit(*close) || std::isalpha(static_cast<unsigned char>(*close)) || *close == '_'))
                ++close;
            if (close < last && *close == ')')
                return close + 1;
        }
        return at;
    }
    int digits = 0;
    while (at < last && isDigit(*at))
        ++at, ++digits;
    if (at < last && *at == '.') {
        ++at;
        while (at < last && isDigit(*at))
            ++at, ++digits;
    }
    if (digits == 0)
        return first;
    if (at < last && (*at == 'e' || *at == 'E')) {
        const char* exponent = at + 1;
        if (exponent < last && (*exponent == '+' || *exponent == '-'))
            ++exponent;
        if (exponent < last && isDigit(*exponent)) {
            while (exponent < last && isDigit(*exponent))
                ++exponent;
            at = exponent;
        }
    }
    return at;
}

// strtod over the prefix alone; a finite text whose value overflows the type
// or underflows to zero is out of range and leaves number as it was.
template <typename Real>
std::from_chars_result readOwn(const char* first, const char* last, Real& number,
                               Real (*convert)(const char*, char**)) {
    const char* end = numberEnd(first, last);
    if (end == first)
        return {first, std::errc::invalid_argument};
    const std::string text(first, end);
    errno = 0;
    const Real value = convert(text.c_str(), nullptr);
    const bool finiteText =
        std::isdigit(static_cast<unsigned char>(text[text[0] == '-'])) || text[text[0] == '-'] == '.';
    if (finiteText && errno == ERANGE && (std::isinf(value) || value == 0))
        return {end, std::errc::result_out_of_range};
    number = value;
    return {end, std::errc()};
}

float toFloat(const char* text, char** end) {
    return std::strtof(text, end);
}

double toDouble(const char* text, char** end) {
    return std::strtod(text, end);
}

std::to_chars_result copyOut(char* first, char* last, const std::string& text) {
    if (static_cast<size_t>(last - first) < text.size())
        return {last, std::errc::value_too_large};
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

// The fewest significant digits that read back as number, and the power of
// ten of the first of them.
void shortestDigits(float number, std::string& digits, int& exponent) {
    char text[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision - 1, static_cast<double>(number));
        if (std::strtof(text, nullptr) == number)
            break;
    }
    const char* e = std::strchr(text, 'e');
    exponent = std::atoi(e + 1);
    digits.clear();
    for (const char* at = text; at < e; ++at)
        if (isDigit(*at))
            digits += *at;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

// A whole number is written as its exact value, not as the shortest digits
// padded with zeros: of two texts of one length the nearer wins.
std::string fixedForm(float number, const std::string& digits, int exponent) {
    const int count = static_cast<int>(digits.size());
    if (exponent < 0)
        return "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    if (count <= exponent + 1) {
        char whole[64];
        std::snprintf(whole, sizeof whole, "%.0f", static_cast<double>(number));
        return whole;
    }
    return digits.substr(0, static_cast<size_t>(exponent + 1)) + "." + digits.substr(static_cast<size_t>(exponent + 1));
}

std::string scientificForm(const std::string& digits, int exponent) {
    char power[16];
    std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    const std::string mantissa = digits.size() > 1 ? digits.substr(0, 1) + "." + digits.substr(1) : digits;
    return mantissa + power;
}

} // namespace

std::to_chars_result writeFloatOwn(char* first, char* last, float number) {
    const std::string sign = std::signbit(number) ? "-" : "";
    if (std::isnan(number))
        return copyOut(first, last, sign + "nan");
    if (std::isinf(number))
        return copyOut(first, last, sign + "inf");
    if (number == 0)
        return copyOut(first, last, sign + "0");
    std::string digits;
    int exponent = 0;
    shortestDigits(std::fabs(number), digits, exponent);
    const std::string fixed = fixedForm(std::fabs(number), digits, exponent);
    const std::string scientific = scientificForm(digits, exponent);
    // The shorter form; a tie goes to the fixed one.
    return copyOut(first, last, sign + (scientific.size() < fixed.size() ? scientific : fixed));
}

std::from_chars_result readFloatOwn(const char* first, const char* last, float& number) {
    return readOwn(first, last, number, toFloat);
}

std::from_chars_result readDoubleOwn(const char* first, const char* last, double& number) {
    return readOwn(first, last, number, toDouble);
}

uint32_t floatBits(float number) {
    uint32_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    return bits;
}

float floatFromBits(uint32_t bits) {
    float number;
    std::memcpy(&number, &bits, sizeof number);
    return number;
}

#if defined(__cpp_lib_to_chars)
std::to_chars_result writeFloat(char* first, char* last, float number) {
    return std::to_chars(first, last, number);
}

std::from_chars_result readFloat(const char* first, const char* last, float& number) {
    return std::from_chars(first, last, number);
}

std::from_chars_result readDouble(const char* first, const char* last, double& number) {
    return std::from_chars(first, last, number);
}
#else
std::to_chars_result writeFloat(char* first, char* last, float number) {
    return writeFloatOwn(first, last, number);
}

std::from_chars_result readFloat(const char* first, const char* last, float& number) {
    return readFloatOwn(first, last, number);
}

std::from_chars_result readDouble(const char* first, const char* last, double& number) {
    return readDoubleOwn(first, last, number);
}
#endif
