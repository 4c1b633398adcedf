#include <algorithm>
#include <cstring>
#include <string_view>

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

// One field of a waypoint line. A short line gives the characters it has, possibly none:
// nothing is trimmed or checked.
template <Champ champ>
std::string_view colonnes(const char* ligne, std::size_t longueur) {
  constexpr std::size_t debut = champ.colonne - 1;
  if (longueur >= debut + champ.longueur) return {ligne + debut, champ.longueur};
  if (debut >= longueur) return {};
  return {ligne + debut, longueur - debut};
}

class DecoupeG7towin {
 public:
  explicit DecoupeG7towin(Redaction& redaction) : redaction_(redaction) {}

  void entiere(std::string_view ligne) {
    if (ligne.front() != 'W' && ligne.front() != 'w') return;
    ecrire(ligne.data(), std::min(ligne.size(), kColonnesUtiles));
  }

  bool debut(char premier) {
    longueur_ = 0;
    return premier == 'W' || premier == 'w';
  }
  void suite(std::string_view morceau) {
    const std::size_t prises = std::min(morceau.size(), kColonnesUtiles - longueur_);
    morceau.copy(ligne_ + longueur_, prises);
    longueur_ += prises;
  }
  void fin() { ecrire(ligne_, longueur_); }

 private:
  void ecrire(const char* ligne, std::size_t longueur) {
    const long long numero = redaction_.compter();
    Waypoint point{colonnes<kDegresLatitude>(ligne, longueur),  colonnes<kMinutesLatitude>(ligne, longueur),
                   colonnes<kLettreLatitude>(ligne, longueur),  colonnes<kDegresLongitude>(ligne, longueur),
                   colonnes<kMinutesLongitude>(ligne, longueur), colonnes<kLettreLongitude>(ligne, longueur),
                   colonnes<kNom>(ligne, longueur)};
    if (redaction_.mode() == Mode::Profil) point.profil = numero;
    redaction_.ecrire(point);
  }

  Redaction& redaction_;
  char ligne_[kColonnesUtiles];
  std::size_t longueur_ = 0;
};

}  // namespace

void lireG7towin(Source& source, Redaction& redaction) {
  DecoupeG7towin decoupe(redaction);
  parcourirLignes(source, decoupe, redaction.finDeLigne());
}

}  // namespace zor::conversion
