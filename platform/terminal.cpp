#include "platform/terminal.h"

namespace zor::platform {

std::string pourTerminal(std::string_view utf8) {
  if (terminalEnUtf8()) return std::string(utf8);
  std::string s;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      s.push_back(static_cast<char>(c));
    } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      const unsigned point = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
      s.push_back(point < 0x100 ? static_cast<char>(point) : '?');
      ++i;
    } else if (c >= 0xC0) {
      s.push_back('?');
      while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return s;
}

}  // namespace zor::platform
