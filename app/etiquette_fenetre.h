#pragma once
// `fenetre`: the label that echoes every sentence of every run and every record received, so
// its caption can hold millions of lines. It keeps them as the bytes they are (Windows-1252),
// one byte a character plus a line index, sizes itself from a table of character widths, and
// decodes only the lines it paints. Its caption reads and writes like a label's.
#include <QLabel>
#include <string>
#include <string_view>
#include <vector>

namespace zor::app {

class EtiquetteFenetre : public QLabel {
  Q_OBJECT

 public:
  explicit EtiquetteFenetre(QWidget* parent = nullptr);

  // The caption as text (decoded, for whoever reads it) …
  QString text() const;
  void setText(const QString& texte);
  // … and as bytes, without copies of the whole.
  void definirOctets(std::string octets);
  void ajouterOctets(std::string_view octets);
  std::size_t tailleOctets() const { return octets_.size(); }

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void changeEvent(QEvent* evenement) override;

 private:
  void indexer(std::size_t depuis);
  void dimensionner(std::size_t premiereLigneNouvelle);
  std::size_t nombreLignes() const { return debuts_.size(); }
  std::string_view ligne(std::size_t i) const;

  std::string octets_;
  std::vector<std::size_t> debuts_;  // where each line starts
  double largeurMax_ = 0;
  std::vector<double> largeurs_;  // advance of each byte value, measured once per font
};

}  // namespace zor::app
