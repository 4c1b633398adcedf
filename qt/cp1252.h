#pragma once
// Text between the program and the toolkit: the program's text is UTF-8, files and the receiver
// speak Windows-1252, the toolkit wants UTF-16.
#include <QString>
#include <string>
#include <string_view>

namespace zor::qt {

QString depuisWindows1252(std::string_view octets);
inline QString depuisUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string versUtf8(const QString& texte) { return texte.toStdString(); }

}  // namespace zor::qt
