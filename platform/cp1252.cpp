#include "platform/cp1252.h"

#include "core/windows1252.h"

namespace zor::platform {

QString depuisWindows1252(std::string_view octets) {
  QString texte(static_cast<qsizetype>(octets.size()), Qt::Uninitialized);
  QChar* d = texte.data();
  for (unsigned char o : octets) {
    *d++ = QChar(unicodeDeWindows1252(o));
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
    for (size_t i = 0; i < kWindows1252C1.size(); ++i)
      if (kWindows1252C1[i] == u) trouve = static_cast<char>(0x80 + i);
    octets.push_back(trouve);
  }
  return octets;
}

}  // namespace zor::platform
