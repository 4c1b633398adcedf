#include "app/etiquette_fenetre.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>

#include "platform/cp1252.h"

namespace zor::app {

EtiquetteFenetre::EtiquetteFenetre(QWidget* parent) : QLabel(parent) {}

QString EtiquetteFenetre::text() const { return platform::depuisWindows1252(octets_); }

void EtiquetteFenetre::setText(const QString& texte) { definirOctets(platform::versWindows1252(texte)); }

void EtiquetteFenetre::definirOctets(std::string octets) {
  octets_ = std::move(octets);
  debuts_.clear();
  largeurMax_ = 0;
  indexer(0);
  dimensionner(0);
}

void EtiquetteFenetre::ajouterOctets(std::string_view octets) {
  if (octets.empty()) return;
  // The last line may go on: it is indexed and measured again.
  const std::size_t derniere = debuts_.empty() ? 0 : debuts_.size() - 1;
  const std::size_t depuis = debuts_.empty() ? 0 : debuts_.back();
  octets_.append(octets);
  if (!debuts_.empty()) debuts_.pop_back();
  indexer(depuis);
  dimensionner(derniere);
}

void EtiquetteFenetre::indexer(std::size_t depuis) {
  if (octets_.empty()) return;
  debuts_.push_back(depuis);
  for (std::size_t i = octets_.find('\n', depuis); i != std::string::npos; i = octets_.find('\n', i + 1))
    if (i + 1 < octets_.size()) debuts_.push_back(i + 1);
}

std::string_view EtiquetteFenetre::ligne(std::size_t i) const {
  const std::size_t debut = debuts_[i];
  std::size_t fin = i + 1 < debuts_.size() ? debuts_[i + 1] : octets_.size();
  if (fin > debut && octets_[fin - 1] == '\n') --fin;
  if (fin > debut && octets_[fin - 1] == '\r') --fin;
  return std::string_view(octets_).substr(debut, fin - debut);
}

void EtiquetteFenetre::dimensionner(std::size_t premiereLigneNouvelle) {
  // Fractional advances: rounding each character's advance loses a pixel every few letters.
  if (largeurs_.empty()) {
    const QFontMetricsF mesures(font());
    largeurs_.resize(256);
    for (int o = 0; o < 256; ++o) {
      const char octet = static_cast<char>(o);
      largeurs_[o] = mesures.horizontalAdvance(platform::depuisWindows1252(std::string_view(&octet, 1)));
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
  QLabel::changeEvent(evenement);
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
    peintre.drawText(QPoint(0, static_cast<int>(i) * hauteur + mesures.ascent()), platform::depuisWindows1252(ligne(i)));
}

}  // namespace zor::app
