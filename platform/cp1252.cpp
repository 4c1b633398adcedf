#include "platform/cp1252.h"

#include <array>

namespace zor::platform {
namespace {
// 0x80..0x9F; the five holes of the code page keep their C1 control code, as Windows does.
constexpr std::array<char16_t, 32> kC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

QString depuisWindows1252(std::string_view octets) {
  QString texte(static_cast<qsizetype>(octets.size()), Qt::Uninitialized);
  QChar* d = texte.data();
  for (unsigned char o : octets) {
    *d++ = (o >= 0x80 && o <= 0x9F) ? QChar(kC1[o - 0x80]) : QChar(static_cast<char16_t>(o));
  }
  return texte;
}

std::string versWindows1252(const QString& texte) {
  std::string octets;
  octets.reserve(static_cast<size_t>(texte.size()));
  for (QChar c : texte) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      octets.push_back(static_cast<char>(u));
      continue;
    }
    char trouve = '?';
    for (size_t i = 0; i < kC1.size(); ++i)
      if (kC1[i] == u) trouve = static_cast<char>(0x80 + i);
    octets.push_back(trouve);
  }
  return octets;
}

}  // namespace zor::platform
