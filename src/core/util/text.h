#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorel {

// True for the bytes the program trims from lines: every code of 32 or less.
[[nodiscard]] constexpr bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// The text without leading and trailing bytes of code 32 or less.
[[nodiscard]] std::string_view trimControl(std::string_view text);

// Upper-cases a to z only; every other byte stays as it is.
[[nodiscard]] std::string upperAscii(std::string_view text);
[[nodiscard]] bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b);
[[nodiscard]] bool startsWithIgnoreCaseAscii(std::string_view text, std::string_view prefix);

// "True" / "False".
[[nodiscard]] std::string_view boolToText(bool value);

// True exactly for "1", "TRUE", "YES", "PRAWDA", "ON", "ENABLE" in any case; no trimming.
[[nodiscard]] bool textToBool(std::string_view text);

// Text shown to the user: the bytes as UTF-8 when they are valid UTF-8, else read as
// Windows-1250 (the code page of old Polish data files) and converted to UTF-8.
[[nodiscard]] bool isValidUtf8(std::string_view bytes);
// Length of the valid UTF-8 sequence at `pos` (< text.size()) and its code point in `cp`; 0 when
// no valid sequence starts there (overlong forms, surrogates and values past U+10FFFF are not).
[[nodiscard]] std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t &cp);
[[nodiscard]] std::string displayText(std::string_view bytes);

// Unicode of the bytes 0x80..0xFF in Windows-1250 and Windows-1252 (0: the byte is undefined).
[[nodiscard]] const std::array<char16_t, 128> &windows1250Table();
[[nodiscard]] const std::array<char16_t, 128> &windows1252Table();

// Appends the UTF-8 bytes of a code point.
void appendUtf8(std::string &out, char32_t cp);

} // namespace quorel
