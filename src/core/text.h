#pragma once
// The text rules that every subsystem shares. Positions in the program's texts are 1-based in the
// descriptions, but these helpers use 0-based std::u16string positions like the rest of the code.
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlix {

// Removes leading and trailing space characters (code 32) only; tabs stay.
std::u16string strip(std::u16string_view text);
std::u16string stripTrailing(std::u16string_view text);

// Locale-aware lower- and upper-casing, character by character (the platform's rules).
std::u16string lowerCase(std::u16string_view text);
std::u16string upperCase(std::u16string_view text);
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

// Reads an integer: leading blanks and tabs skipped, optional sign, then decimal digits, or hexadecimal
// digits after "$", or binary digits after "%"; stops at the first other character; 0 without digits.
// Wraps like 32-bit arithmetic instead of overflowing.
std::int32_t parseInteger(std::u16string_view text);

// The n-th (0-based) field of text split at separator; empty when there are fewer fields.
std::u16string_view fieldAt(std::u16string_view text, char16_t separator, std::size_t n);

std::u16string toDecimal(std::int64_t value);

// Directory part: everything up to and including the last "\" or "/" (empty when there is none).
std::u16string directoryPart(std::u16string_view path);
// File-name part: everything after the last "\" or "/" (the whole path when there is none).
std::u16string_view fileNameOf(std::u16string_view path);
// The text after the last "."; none when a space, "/" or "\" follows that dot (a dotted folder, or
// arguments after a program).
std::u16string_view extensionOf(std::u16string_view path);

// Plain ASCII/UTF-8 conversions for tests, diagnostics and file names built from literals.
std::u16string fromUtf8(std::string_view utf8);
std::string toUtf8(std::u16string_view text);

} // namespace vorlix
