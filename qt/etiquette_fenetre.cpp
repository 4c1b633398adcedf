#include "qt/etiquette_fenetre.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>

#include "qt/cp1252.h"

namespace zor::qt {

EtiquetteFenetre::EtiquetteFenetre(const Controle& modele, QWidget* parent) : QWidget(parent), modele_(modele) {}

namespace {

// A screen reader reads the label's name again.
void nomChange(EtiquetteFenetre* etiquette) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent evenement(etiquette, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&evenement);
}

}  // namespace

void EtiquetteFenetre::captionRemplacee() {
  lignes_.remplacer(octets());
  dimensionner(0);
  nomChange(this);
}

void EtiquetteFenetre::octetsAjoutes() {
  const std::size_t premiereNouvelle = lignes_.ajouter(octets());
  dimensionner(premiereNouvelle);
  // Lines added below the window's edge change nothing of what is read.
  if (premiereNouvelle < lignesQuiSeVoient()) nomChange(this);
}

std::size_t EtiquetteFenetre::lignesQuiSeVoient() const {
  const int hauteurLigne = QFontMetrics(font()).lineSpacing();
  const int place = parentWidget() != nullptr ? parentWidget()->height() - y() : height();
  if (hauteurLigne <= 0 || place <= 0) return 0;
  return static_cast<std::size_t>((place + hauteurLigne - 1) / hauteurLigne);
}

QString EtiquetteFenetre::texteQuiSeVoit() const {
  QString texte = depuisWindows1252(lignes_.premieresLignes(octets(), lignesQuiSeVoient()));
  texte.remove(QLatin1Char('\r'));
  return texte;
}

void EtiquetteFenetre::dimensionner(std::size_t premiereLigneNouvelle) {
  if (nombreLignes() == 0) {
    // Empty, as at start: nothing to measure, and no font to load before the window shows.
    resize(2, 1);
    update();
    return;
  }
  // Fractional advances: rounding each character's advance loses a pixel every few letters.
  if (!mesure_) {
    const QFontMetricsF mesures(font());
    for (int o = 0; o < 256; ++o) {
      const char octet = static_cast<char>(o);
      largeurs_[static_cast<std::size_t>(o)] = mesures.horizontalAdvance(depuisWindows1252(std::string_view(&octet, 1)));
    }
    mesure_ = true;
  }
  const double largeurMax = lignes_.mesurer(octets(), premiereLigneNouvelle, largeurs_);
  const int hauteur = static_cast<int>(std::min<std::size_t>(nombreLignes(), 1 << 24)) * QFontMetrics(font()).lineSpacing();
  resize(std::max(qCeil(largeurMax) + 2, 1), std::max(hauteur, 1));
  update();
}

void EtiquetteFenetre::changeEvent(QEvent* evenement) {
  if (evenement->type() == QEvent::FontChange) {
    mesure_ = false;
    lignes_.oublierMesures();
    dimensionner(0);
  }
  QWidget::changeEvent(evenement);
}

void EtiquetteFenetre::paintEvent(QPaintEvent* evenement) {
  QPainter peintre(this);
  peintre.fillRect(evenement->rect(), palette().color(QPalette::Window));
  const QFontMetrics mesures(font());
  const int hauteur = mesures.lineSpacing();
  const QRect zone = evenement->rect();
  peintre.setFont(font());
  peintre.setPen(palette().color(QPalette::WindowText));
  if (nombreLignes() == 0) return;
  const std::size_t premiere = static_cast<std::size_t>(std::max(0, zone.top() / hauteur));
  const std::size_t derniere = std::min(nombreLignes() - 1, static_cast<std::size_t>(std::max(0, zone.bottom() / hauteur)));
  for (std::size_t i = premiere; i <= derniere; ++i)
    peintre.drawText(QPoint(0, static_cast<int>(i) * hauteur + mesures.ascent()), depuisWindows1252(ligne(i)));
}

}  // namespace zor::qt
