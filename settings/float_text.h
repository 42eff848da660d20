#pragma once
// A float's four bytes, and floats to and from decimal text exactly as
// std::to_chars (the shortest form that reads back) and std::from_chars (the
// general format) write and read them. Where the standard library has these
// they are the library's own; the libc++ of Debian's emscripten has neither
// std::bit_cast nor the float overloads, so there the code below stands in.

#include <charconv>
#include <cstdint>

uint32_t floatBits(float number);
float floatFromBits(uint32_t bits);

std::to_chars_result writeFloat(char* first, char* last, float number);
std::from_chars_result readFloat(const char* first, const char* last, float& number);
std::from_chars_result readDouble(const char* first, const char* last, double& number);

// The stand-ins, built on every platform so that a native test holds them to
// the library's answers.
std::to_chars_result writeFloatOwn(char* first, char* last, float number);
std::from_chars_result readFloatOwn(const char* first, const char* last, float& number);
std::from_chars_result readDoubleOwn(const char* first, const char* last, double& number);
