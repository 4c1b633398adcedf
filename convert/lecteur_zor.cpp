#include "convert/lecteurs_texte.h"
#include "convert/lignes.h"

namespace zor::conversion {

namespace {

// The receiver's own sentences go over as they are: no check, no new checksum.
struct CopieZor {
  Redaction& redaction;

  void entiere(std::string_view ligne) {
    if (ligne.front() != '$') return;
    redaction.compter();
    redaction.copier(ligne);
    redaction.finCopie();
  }
  bool debut(char premier) {
    if (premier != '$') return false;
    redaction.compter();
    return true;
  }
  void suite(std::string_view morceau) { redaction.copier(morceau); }
  void fin() { redaction.finCopie(); }
};

}  // namespace

void lireZor(Source& source, Redaction& redaction) {
  CopieZor copie{redaction};
  parcourirLignes(source, copie, redaction.finDeLigne());
}

}  // namespace zor::conversion
