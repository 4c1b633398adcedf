#include "qt/etiquette_fenetre.h"

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

void EtiquetteFenetre::captionRemplacee() {
  debuts_.clear();
  largeurMax_ = 0;
  indexer(0);
  dimensionner(0);
}

void EtiquetteFenetre::octetsAjoutes() {
  // The last line may go on: it is indexed and measured again.
  const std::size_t derniere = debuts_.empty() ? 0 : debuts_.size() - 1;
  const std::size_t depuis = debuts_.empty() ? 0 : debuts_.back();
  if (!debuts_.empty()) debuts_.pop_back();
  indexer(depuis);
  dimensionner(derniere);
}

void EtiquetteFenetre::indexer(std::size_t depuis) {
  const std::string& o = octets();
  if (o.empty()) return;
  debuts_.push_back(depuis);
  for (std::size_t i = o.find('\n', depuis); i != std::string::npos; i = o.find('\n', i + 1))
    if (i + 1 < o.size()) debuts_.push_back(i + 1);
}

std::string_view EtiquetteFenetre::ligne(std::size_t i) const {
  const std::string& o = octets();
  const std::size_t debut = debuts_[i];
  std::size_t fin = i + 1 < debuts_.size() ? debuts_[i + 1] : o.size();
  if (fin > debut && o[fin - 1] == '\n') --fin;
  if (fin > debut && o[fin - 1] == '\r') --fin;
  return std::string_view(o).substr(debut, fin - debut);
}

void EtiquetteFenetre::dimensionner(std::size_t premiereLigneNouvelle) {
  // Fractional advances: rounding each character's advance loses a pixel every few letters.
  if (largeurs_.empty()) {
    const QFontMetricsF mesures(font());
    largeurs_.resize(256);
    for (int o = 0; o < 256; ++o) {
      const char octet = static_cast<char>(o);
      largeurs_[o] = mesures.horizontalAdvance(depuisWindows1252(std::string_view(&octet, 1)));
    }
  }
  for (std::size_t i = premiereLigneNouvelle; i < debuts_.size(); ++i) {
    double largeur = 0;
    for (const unsigned char c : ligne(i)) largeur += largeurs_[c];
    largeurMax_ = std::max(largeurMax_, largeur);
  }
  const int hauteur = static_cast<int>(std::min<std::size_t>(nombreLignes(), 1 << 24)) * QFontMetrics(font()).lineSpacing();
  resize(std::max(qCeil(largeurMax_) + 2, 1), std::max(hauteur, 1));
  update();
}

void EtiquetteFenetre::changeEvent(QEvent* evenement) {
  if (evenement->type() == QEvent::FontChange) {
    largeurs_.clear();
    largeurMax_ = 0;
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
  if (debuts_.empty()) return;
  const std::size_t premiere = static_cast<std::size_t>(std::max(0, zone.top() / hauteur));
  const std::size_t derniere = std::min(nombreLignes() - 1, static_cast<std::size_t>(std::max(0, zone.bottom() / hauteur)));
  for (std::size_t i = premiere; i <= derniere; ++i)
    peintre.drawText(QPoint(0, static_cast<int>(i) * hauteur + mesures.ascent()), depuisWindows1252(ligne(i)));
}

}  // namespace zor::qt
