#include "core/windows1252.h"

namespace zor {

char octetWindows1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kWindows1252C1.size(); ++i)
    if (kWindows1252C1[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

void ajouterUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    s.push_back(static_cast<char>(0xC0 | (c >> 6)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    s.push_back(static_cast<char>(0xE0 | (c >> 12)));
    s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    s.push_back(static_cast<char>(0xF0 | (c >> 18)));
    s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char32_t caractereUtf8(std::string_view s, std::size_t& i) {
  const auto octet = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = octet(i);
  const std::size_t suite = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
  if (suite > 0 && i + suite < s.size()) {
    char32_t point = c & (0x3F >> suite);
    bool valide = true;
    for (std::size_t k = 1; valide && k <= suite; ++k) {
      valide = (octet(i + k) & 0xC0) == 0x80;
      point = (point << 6) | (octet(i + k) & 0x3F);
    }
    if (valide) {
      i += suite + 1;
      return point;
    }
  }
  ++i;
  return unicodeDeWindows1252(c);
}

std::string utf8DepuisWindows1252(std::string_view octets) {
  std::string s;
  s.reserve(octets.size());
  for (const unsigned char o : octets) ajouterUtf8(s, unicodeDeWindows1252(o));
  return s;
}

std::string windows1252DepuisUtf8(std::string_view utf8) {
  std::string octets;
  octets.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) octets.push_back(octetWindows1252(caractereUtf8(utf8, i)));
  return octets;
}

}  // namespace zor
