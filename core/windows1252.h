#pragma once
// The code page of the program's files and of the receiver: Windows-1252. Bytes 0x80–0x9F are
// the only ones that are not the Unicode character of the same number (its five holes keep
// their C1 control code, as Windows does). Text is decoded only to be shown.
#include <array>
#include <string>
#include <string_view>

namespace zor {

inline constexpr std::array<char16_t, 32> kWindows1252C1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Unicode character of one Windows-1252 byte.
constexpr char16_t unicodeDeWindows1252(unsigned char octet) {
  return octet >= 0x80 && octet <= 0x9F ? kWindows1252C1[octet - 0x80] : char16_t{octet};
}

// The byte of a Unicode character, or '?' when Windows-1252 has none (as the ANSI functions
// of Windows do).
char octetWindows1252(char32_t caractere);

// Windows-1252 bytes as UTF-8, and back (invalid UTF-8 bytes count as one character each).
std::string utf8DepuisWindows1252(std::string_view octets);
std::string windows1252DepuisUtf8(std::string_view utf8);

// The next character of UTF-8 text from `i`, which moves past it; an invalid byte is taken as
// the Windows-1252 character of that byte.
char32_t caractereUtf8(std::string_view utf8, std::size_t& i);
void ajouterUtf8(std::string& destination, char32_t caractere);

}  // namespace zor
