#include <algorithm>
#include <string>

#include "convert/lecteurs_texte.h"
#include "convert/lignes.h"
#include "convert/phrase.h"

namespace zor::conversion {

namespace {

// Columns (counted from 1) of a G7towin waypoint line; nothing past column 42 is used.
constexpr std::size_t kColonnesUtiles = 42;

struct Champ {
  std::size_t colonne, longueur;
};
constexpr Champ kNom{4, 6};
constexpr Champ kLettreLatitude{20, 1};
constexpr Champ kDegresLatitude{21, 2};
constexpr Champ kMinutesLatitude{24, 6};
constexpr Champ kLettreLongitude{32, 1};
constexpr Champ kDegresLongitude{33, 3};
constexpr Champ kMinutesLongitude{37, 6};

class DecoupeG7towin {
 public:
  explicit DecoupeG7towin(Redaction& redaction) : redaction_(redaction) { corps_.reserve(96); }

  bool debut(char premier) {
    longueur_ = 0;
    return premier == 'W' || premier == 'w';
  }
  void suite(std::string_view morceau) {
    const std::size_t prises = std::min(morceau.size(), kColonnesUtiles - longueur_);
    morceau.copy(ligne_ + longueur_, prises);
    longueur_ += prises;
  }
  void fin() {
    const long long numero = redaction_.compter();
    corps_.assign("GPWPL,");
    ajouter(kDegresLatitude);
    ajouter(kMinutesLatitude);
    corps_.push_back(',');
    ajouter(kLettreLatitude);
    corps_.push_back(',');
    ajouter(kDegresLongitude);
    ajouter(kMinutesLongitude);
    corps_.push_back(',');
    ajouter(kLettreLongitude);
    corps_.push_back(',');
    if (redaction_.mode() == Mode::Profil)
      ajouterNomProfil(corps_, numero);
    else
      ajouter(kNom);
    redaction_.ecrirePhrase(corps_);
  }

 private:
  // A short line gives the characters it has, possibly none: nothing is trimmed or checked.
  void ajouter(Champ champ) {
    const std::size_t debut = champ.colonne - 1;
    if (debut >= longueur_) return;
    corps_.append(ligne_ + debut, std::min(champ.longueur, longueur_ - debut));
  }

  Redaction& redaction_;
  char ligne_[kColonnesUtiles];
  std::size_t longueur_ = 0;
  std::string corps_;
};

}  // namespace

long long lireG7towin(Source& source, Redaction& redaction) {
  DecoupeG7towin decoupe(redaction);
  parcourirLignes(source, decoupe);
  return redaction.compteur();
}

}  // namespace zor::conversion
