#include "qt/apparence.h"

#include <QDir>
#include <optional>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>

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

class IconeDifferee : public QIconEngine {
 public:
  explicit IconeDifferee(std::function<QIcon()> faire) : faire_(std::move(faire)) {}

  void paint(QPainter* peintre, const QRect& zone, QIcon::Mode mode, QIcon::State etat) override {
    icone().paint(peintre, zone, Qt::AlignCenter, mode, etat);
  }
  QPixmap pixmap(const QSize& taille, QIcon::Mode mode, QIcon::State etat) override {
    return icone().pixmap(taille, mode, etat);
  }
  QPixmap scaledPixmap(const QSize& taille, QIcon::Mode mode, QIcon::State etat, qreal echelle) override {
    return icone().pixmap(taille, echelle, mode, etat);
  }
  QSize actualSize(const QSize& taille, QIcon::Mode mode, QIcon::State etat) override {
    return icone().actualSize(taille, mode, etat);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State etat) override { return icone().availableSizes(mode, etat); }
  bool isNull() override { return icone().isNull(); }
  QString key() const override { return QStringLiteral("zor-differee"); }
  QIconEngine* clone() const override {
    auto* copie = new IconeDifferee(faire_);
    copie->icone_ = icone_;
    return copie;
  }

 private:
  QIcon& icone() {
    if (!icone_) icone_ = faire_();
    return *icone_;
  }

  std::function<QIcon()> faire_;
  std::optional<QIcon> icone_;
};

}  // namespace

QIcon iconeDifferee(std::function<QIcon()> faire) { return QIcon(new IconeDifferee(std::move(faire))); }

QIcon icone(Image image) {
  QIcon icone;
  const QString prefixe = nom(image);
  if (prefixe.isEmpty()) return icone;
  // NOM-COTE.png, at every side the build rendered. Compared as text: a name filter would
  // compile a regular expression for each picture as the window starts.
  for (const QString& fichier : QDir(QStringLiteral(":/images")).entryList(QDir::Files)) {
    if (!fichier.startsWith(prefixe) || fichier.size() <= prefixe.size() + 4 || fichier.at(prefixe.size()) != u'-')
      continue;
    // As PNG, said so: guessing the format would ask every image plug-in first.
    QImageReader lecteur(QStringLiteral(":/images/") + fichier, "png");
    lecteur.setAutoDetectImageFormat(false);
    icone.addPixmap(QPixmap::fromImage(lecteur.read()));
  }
  return icone;
}

QPixmap pixmap(Image image, int cote, qreal echelle) { return icone(image).pixmap(QSize(cote, cote), echelle); }

}  // namespace zor::qt
