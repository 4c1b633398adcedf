#include "qt/cp1252.h"

#include "core/windows1252.h"

namespace zor::qt {

QString depuisWindows1252(std::string_view octets) {
  QString texte(static_cast<qsizetype>(octets.size()), Qt::Uninitialized);
  QChar* d = texte.data();
  for (unsigned char o : octets) *d++ = QChar(unicodeDeWindows1252(o));
  return texte;
}

}  // namespace zor::qt
