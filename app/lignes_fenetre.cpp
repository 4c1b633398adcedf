#include "app/lignes_fenetre.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QtMath>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <vector>

namespace zor::app {

namespace {

// `fenetre` collects every sentence of every run: tens of thousands of lines. A label shapes
// its whole text for each size query and again for each repaint, seconds for 100,000 lines;
// so `fenetre` is sized from a table of character widths and paints only the lines in view.
class LignesDeFenetre : public QObject {
 public:
  explicit LignesDeFenetre(QLabel* etiquette) : QObject(etiquette), etiquette_(etiquette) {
    setObjectName(QStringLiteral("lignesDeFenetre"));
    etiquette->installEventFilter(this);
  }

  static LignesDeFenetre* de(QLabel* etiquette) {
    auto* existant = etiquette->findChild<QObject*>(QStringLiteral("lignesDeFenetre"), Qt::FindDirectChildrenOnly);
    return existant != nullptr ? static_cast<LignesDeFenetre*>(existant) : new LignesDeFenetre(etiquette);
  }

  void definir(const QString& texte) {
    etiquette_->setText(texte);
    indexer();
    // Fractional advances: rounding each character's advance loses a pixel every few letters.
    const QFontMetricsF mesures(etiquette_->font());
    qreal largeur = 0;
    for (std::size_t i = 0; i + 1 < debuts_.size(); ++i) largeur = std::max(largeur, this->largeur(i, mesures));
    etiquette_->resize(std::max(qCeil(largeur) + 2, 1),
                       std::max(nombreLignes() * QFontMetrics(etiquette_->font()).lineSpacing(), 1));
  }

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (objet != etiquette_ || evenement->type() != QEvent::Paint) return false;
    indexer();
    const QFontMetrics mesures(etiquette_->font());
    const int hauteur = mesures.lineSpacing();
    const QRect zone = static_cast<QPaintEvent*>(evenement)->rect();
    QPainter peintre(etiquette_);
    peintre.setFont(etiquette_->font());
    peintre.setPen(etiquette_->palette().color(QPalette::WindowText));
    const int premiere = std::max(0, zone.top() / hauteur);
    const int derniere = std::min(nombreLignes() - 1, zone.bottom() / hauteur);
    for (int i = premiere; i <= derniere; ++i)
      peintre.drawText(QPoint(0, i * hauteur + mesures.ascent()), ligne(static_cast<std::size_t>(i)).toString());
    return true;
  }

 private:
  int nombreLignes() const { return static_cast<int>(debuts_.size()) - 1; }

  // Line i of the caption, without its CR LF.
  QStringView ligne(std::size_t i) const {
    const qsizetype debut = debuts_[i];
    qsizetype fin = debuts_[i + 1] - 1;  // the LF, or one past the end for a last line without one
    if (fin > debut && texte_[fin - 1] == QLatin1Char('\r')) --fin;
    return QStringView(texte_).mid(debut, fin - debut);
  }

  qreal largeur(std::size_t i, const QFontMetricsF& mesures) {
    qreal total = 0;
    for (const QChar c : ligne(i)) {
      const char16_t u = c.unicode();
      if (u < largeurs_.size()) {
        if (largeurs_[u] < 0) largeurs_[u] = mesures.horizontalAdvance(c);
        total += largeurs_[u];
      } else {
        total += mesures.horizontalAdvance(c);
      }
    }
    return total;
  }

  void indexer() {
    const QString texte = etiquette_->text();
    if (!debuts_.empty() && texte.constData() == texte_.constData() && texte.size() == texte_.size()) return;
    texte_ = texte;
    debuts_.assign(1, 0);
    for (qsizetype i = 0; i < texte_.size(); ++i)
      if (texte_[i] == QLatin1Char('\n')) debuts_.push_back(i + 1);
    if (debuts_.back() != texte_.size()) debuts_.push_back(texte_.size() + 1);
    largeurs_.fill(-1);
  }

  QLabel* etiquette_;
  QString texte_;
  std::vector<qsizetype> debuts_;  // start of each line, then one past the end plus one
  std::array<qreal, 0x2200> largeurs_{};
};

}  // namespace

void definirTexteFenetre(QLabel* etiquette, const QString& texte) { LignesDeFenetre::de(etiquette)->definir(texte); }

}  // namespace zor::app
