#pragma once
// How `fenetre` is drawn: the label that echoes every sentence of every run and every record
// received, so its caption can hold millions of lines. The bytes stay in the window's model
// (Windows-1252, one byte a character); this widget keeps only a line index, sizes itself from
// a table of character widths, and decodes only the lines it paints.
#include <QWidget>
#include <string_view>
#include <vector>

#include "core/controle.h"

namespace zor::qt {

class EtiquetteFenetre : public QWidget {
  Q_OBJECT

 public:
  EtiquetteFenetre(const Controle& modele, QWidget* parent);

  // The caption was replaced, or had bytes added at its end.
  void captionRemplacee();
  void octetsAjoutes();

  std::size_t nombreLignes() const { return debuts_.size(); }

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void changeEvent(QEvent* evenement) override;

 private:
  const std::string& octets() const { return modele_.octets(); }
  void indexer(std::size_t depuis);
  void dimensionner(std::size_t premiereLigneNouvelle);
  std::string_view ligne(std::size_t i) const;

  const Controle& modele_;
  std::vector<std::size_t> debuts_;  // where each line starts
  double largeurMax_ = 0;
  std::vector<double> largeurs_;  // advance of each byte value, measured once per font
};

}  // namespace zor::qt
