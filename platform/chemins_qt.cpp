#include "platform/chemins_qt.h"

#include <QFile>

namespace zor::platform {

std::filesystem::path cheminDepuisQString(const QString& nom) {
#ifdef _WIN32
  return std::filesystem::path(nom.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(nom).toStdString());
#endif
}

QString versQString(const std::filesystem::path& chemin) {
#ifdef _WIN32
  return QString::fromStdWString(chemin.wstring());
#else
  return QFile::decodeName(QByteArray::fromStdString(chemin.native()));
#endif
}

}  // namespace zor::platform
