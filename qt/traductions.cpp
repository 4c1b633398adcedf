#include "qt/traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <memory>

namespace zor::qt {

namespace {

// Texts the toolkit's French catalogue lacks: the open dialog names the type of every folder
// with them.
class ComplementFrancais : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* contexte, const char* source, const char*, int) const override {
    if (qstrcmp(contexte, "QAbstractFileIconProvider") != 0) return {};
    struct Texte {
      const char* anglais;
      const char* francais;
    };
    static const Texte kTextes[] = {{"Folder", "Dossier"}, {"Drive", "Lecteur"}, {"File", "Fichier"}};
    for (const auto& t : kTextes)
      if (qstrcmp(source, t.anglais) == 0) return QString::fromUtf8(t.francais);
    return {};
  }
};

QPointer<QTranslator> catalogueInstalle;
QPointer<QTranslator> complementInstalle;

}  // namespace

bool installerTraductions(const QLocale& langue) {
  delete catalogueInstalle.data();
  delete complementInstalle.data();

  const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto catalogue = std::make_unique<QTranslator>(QCoreApplication::instance());
  const QString base = QStringLiteral("qtbase");
  const QString separateur = QStringLiteral("_");
  if (!catalogue->load(langue, base, separateur, dossier) &&
      !catalogue->load(QLocale(QLocale::French, QLocale::France), base, separateur, dossier))
    return false;
  if (catalogue->language().startsWith(QStringLiteral("fr"))) {
    complementInstalle = new ComplementFrancais(QCoreApplication::instance());
    QCoreApplication::installTranslator(complementInstalle);
  }
  QCoreApplication::installTranslator(catalogue.get());
  catalogueInstalle = catalogue.release();
  return true;
}

}  // namespace zor::qt
