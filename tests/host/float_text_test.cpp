// The stand-ins for the float overloads of std::to_chars and std::from_chars
// that the web build uses: held to the library's own answers.

#include "settings/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

std::string ownText(float number) {
    char text[64];
    const auto result = writeFloatOwn(text, text + sizeof text, number);
    EXPECT_EQ(result.ec, std::errc());
    return std::string(text, result.ptr);
}

std::string libraryText(float number) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, number).ptr);
}

TEST(FloatText, WritesTheLibrarysShortestForm) {
    // clang-format off
    const float table[] = {0.05f, 0.07f, 0.1f, 0.001f, 1e-05f, 0.0001f, 60, 100000, 123456, 1234567, 1e+10f, 3.4028235e38f,
                           1e-45f, 1.17549435e-38f, -0.0f, 0.0f, -2.5f, 16777216, 0.3f, 2.0f / 3};
    // clang-format on
    for (const float number : table)
        EXPECT_EQ(ownText(number), libraryText(number)) << "bits " << floatBits(number);
}

TEST(FloatText, WritesEveryKindOfFloatAsTheLibraryDoes) {
    // Patterns spread over the whole range: subnormal, normal, infinite, NaN.
    for (uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521) {
        const float number = floatFromBits(static_cast<uint32_t>(bits));
        if (std::isnan(number))
            continue; // a NaN's sign and payload are written differently by each library
        ASSERT_EQ(ownText(number), libraryText(number)) << "bits " << bits;
    }
}

TEST(FloatText, ReportsABufferTooSmall) {
    char text[3];
    EXPECT_EQ(writeFloatOwn(text, text + sizeof text, 0.125f).ec, std::errc::value_too_large);
}

TEST(FloatText, ReadsAsTheLibraryReads) {
    // clang-format off
    const char* table[] = {"0.05", "1", "-2.5", "1.", ".5", "1e3", "1E-3", "1e+2", "1e", "1e+", "12abc", "3.4028236e38",
                           "1e39", "-1e39", "1e-50", "1e-45", "1e-40", "inf", "-Infinity", "INFx", "nan", "nan(abc)",
                           "nan(", "+1", " 1", "0x10", "e5", "", "-", ".", "-.", "0000.000100", "1e999999999999"};
    // clang-format on
    for (const char* text : table) {
        const char* last = text + std::strlen(text);
        float own = 7, library = 7;
        const auto ownResult = readFloatOwn(text, last, own);
        const auto libraryResult = std::from_chars(text, last, library);
        EXPECT_EQ(ownResult.ec, libraryResult.ec) << '"' << text << '"';
        EXPECT_EQ(ownResult.ptr - text, libraryResult.ptr - text) << '"' << text << '"';
        if (libraryResult.ec == std::errc() && !std::isnan(library)) {
            EXPECT_EQ(floatBits(own), floatBits(library)) << '"' << text << '"';
        }
        double ownWide = 7, libraryWide = 7;
        EXPECT_EQ(readDoubleOwn(text, last, ownWide).ec, std::from_chars(text, last, libraryWide).ec)
            << '"' << text << '"';
        if (!std::isnan(libraryWide)) {
            EXPECT_EQ(ownWide, libraryWide) << '"' << text << '"';
        }
    }
}

} // namespace
