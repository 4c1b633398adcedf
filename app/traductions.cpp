#include "app/traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <memory>

namespace zor::app {

bool installerTraductions(const QLocale& langue) {
  static QPointer<QTranslator> installee;
  delete installee.data();

  const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto traduction = std::make_unique<QTranslator>(QCoreApplication::instance());
  const QString base = QStringLiteral("qtbase");
  const QString separateur = QStringLiteral("_");
  if (!traduction->load(langue, base, separateur, dossier) &&
      !traduction->load(QLocale(QLocale::French, QLocale::France), base, separateur, dossier))
    return false;
  QCoreApplication::installTranslator(traduction.get());
  installee = traduction.release();
  return true;
}

}  // namespace zor::app
