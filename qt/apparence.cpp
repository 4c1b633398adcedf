#include "qt/apparence.h"

#include <QDir>

namespace zor::qt {

namespace {

QString nom(Image image) {
  switch (image) {
    case Image::Ok: return QStringLiteral("ok");
    case Image::Ouvrir: return QStringLiteral("ouvrir");
    case Image::Ecrire: return QStringLiteral("ecrire");
    case Image::Lire: return QStringLiteral("lire");
    case Image::Sortie: return QStringLiteral("sortie");
    case Image::Fenetre: return QStringLiteral("fenetre");
    case Image::APropos: return QStringLiteral("apropos");
    case Image::Aucune: break;
  }
  return {};
}

}  // namespace

QIcon icone(Image image) {
  QIcon icone;
  const QString prefixe = nom(image);
  if (prefixe.isEmpty()) return icone;
  // NOM-COTE.png: the side is given, so that the file is read only when painted.
  for (const QString& fichier : QDir(QStringLiteral(":/images")).entryList({prefixe + QStringLiteral("-*.png")})) {
    const int cote = QStringView(fichier).mid(prefixe.size() + 1).chopped(4).toInt();
    icone.addFile(QStringLiteral(":/images/") + fichier, QSize(cote, cote));
  }
  return icone;
}

QPixmap pixmap(Image image, int cote, qreal echelle) { return icone(image).pixmap(QSize(cote, cote), echelle); }

}  // namespace zor::qt
