#include "qt/bouton_image.h"

#include <QPainter>

#include "ihm/disposition_bouton.h"
#include "qt/apparence.h"

namespace zor::qt {

namespace {

// Two pixels of 3D border, then the focus rectangle's line; the caption keeps clear of that
// line at the bottom even when the pressed button shifts it down by one pixel.
constexpr int kBord = 2;
constexpr int kInterieur = kBord + 1;
constexpr int kInterieurBas = kBord + 2;
constexpr int kEcartImageTexte = 3;

// One ring of the border: its top and left sides in one colour, bottom and right in the other.
// Filled rather than stroked, so each side covers whole device pixels at any scale.
void anneau(QPainter& p, const QRect& r, const QColor& hautGauche, const QColor& basDroite) {
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), hautGauche);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), hautGauche);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), basDroite);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), basDroite);
}

QString sansMnemonique(QString texte) {
  // "&&" shows one ampersand; a single one marks the underlined letter and takes no room.
  texte.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  texte.remove(QLatin1Char('&'));
  texte.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return texte;
}

}  // namespace

BoutonImage::Disposition BoutonImage::disposition() const {
  const QRect zone = rect().adjusted(kInterieur, kInterieur, -kInterieur, -kInterieurBas);
  const DispositionBouton d =
      disposerBouton({zone.x(), zone.y(), zone.width(), zone.height()}, fontMetrics().height(),
                     fontMetrics().horizontalAdvance(sansMnemonique(text())), iconSize().height(), isDown(), kEcartImageTexte);
  auto rectangle = [](const Zone& z) { return QRect(z.x, z.y, z.largeur, z.hauteur); };
  return {rectangle(d.image), rectangle(d.texte), d.coupee};
}

void BoutonImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, palette().color(QPalette::Button));
  const QRect interieur = r.adjusted(1, 1, -1, -1);
  if (isDown()) {
    anneau(p, r, kOmbre3D, kReflet3D);
    anneau(p, interieur, kOmbreProfonde3D, kClair3D);
  } else {
    anneau(p, r, kReflet3D, kOmbreProfonde3D);
    anneau(p, interieur, kClair3D, kOmbre3D);
  }

  const Disposition d = disposition();
  {
    // A picture taller than the room above the caption is cut there, never drawn on the caption.
    p.save();
    if (d.coupee) p.setClipRect(QRect(QPoint(r.left(), kBord), QPoint(r.right(), d.texte.top() - 1)));
    if (icone_.isNull()) icone_ = icone(image_);
    icone_.paint(&p, d.image, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    p.restore();
  }
  const QPalette::ColorGroup groupe = isEnabled() ? QPalette::Active : QPalette::Disabled;
  p.setPen(palette().color(groupe, QPalette::ButtonText));
  p.setFont(font());
  p.drawText(d.texte, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, text());

  if (hasFocus()) {
    QPen pointille(palette().color(QPalette::ButtonText), 0, Qt::CustomDashLine);
    pointille.setDashPattern({1, 1});
    p.setPen(pointille);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(kBord + 1, kBord + 1, -kBord - 2, -kBord - 2));
  }
}

}  // namespace zor::qt
