#pragma once
// How `fenetre` is drawn: the label that echoes every sentence of every run and every record
// received, so its caption can hold millions of lines. The bytes stay in the window's model
// (Windows-1252, one byte a character); this widget keeps only a line index (ihm/lignes_caption.h,
// shared with the Win32 front end), sizes itself from a table of character widths, and decodes
// only the lines it paints.
#include <QWidget>
#include <array>
#include <string_view>

#include "ihm/controle.h"
#include "ihm/lignes_caption.h"

namespace zor::qt {

class EtiquetteFenetre : public QWidget {
  Q_OBJECT

 public:
  EtiquetteFenetre(const Controle& modele, QWidget* parent);

  // The caption was replaced, or had bytes added at its end.
  void captionRemplacee();
  void octetsAjoutes();

  std::size_t nombreLignes() const { return lignes_.nombre(); }
  // The lines that show inside the window, for a screen reader (its name).
  QString texteQuiSeVoit() const;

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void changeEvent(QEvent* evenement) override;

 private:
  const std::string& octets() const { return modele_.octets(); }
  void dimensionner(std::size_t premiereLigneNouvelle);
  std::size_t lignesQuiSeVoient() const;
  std::string_view ligne(std::size_t i) const { return lignes_.ligne(octets(), i); }

  const Controle& modele_;
  LignesCaption lignes_;
  bool mesure_ = false;
  std::array<double, 256> largeurs_{};  // advance of each byte value, measured once per font
};

}  // namespace zor::qt
