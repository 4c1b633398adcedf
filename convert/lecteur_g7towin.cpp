#include <algorithm>
#include <cstring>

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

// The first columns of one waypoint line. A short line gives the characters it has, possibly
// none: nothing is trimmed or checked.
struct Colonnes {
  const char* ligne;
  std::size_t longueur;

  template <Champ champ>
  char* poser(char* p) const {
    constexpr std::size_t debut = champ.colonne - 1;
    if (longueur >= debut + champ.longueur) {  // the usual whole field, copied at a known size
      std::memcpy(p, ligne + debut, champ.longueur);
      return p + champ.longueur;
    }
    if (debut >= longueur) return p;
    std::memcpy(p, ligne + debut, longueur - debut);
    return p + (longueur - debut);
  }
};

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
    const Colonnes colonnes{ligne, longueur};
    char* p = corps_;
    std::memcpy(p, "GPWPL,", 6);
    p += 6;
    p = colonnes.poser<kDegresLatitude>(p);
    p = colonnes.poser<kMinutesLatitude>(p);
    *p++ = ',';
    p = colonnes.poser<kLettreLatitude>(p);
    *p++ = ',';
    p = colonnes.poser<kDegresLongitude>(p);
    p = colonnes.poser<kMinutesLongitude>(p);
    *p++ = ',';
    p = colonnes.poser<kLettreLongitude>(p);
    *p++ = ',';
    if (redaction_.mode() == Mode::Profil)
      p = poserNomProfil(p, numero);
    else
      p = colonnes.poser<kNom>(p);
    redaction_.ecrirePhrase(std::string_view(corps_, static_cast<std::size_t>(p - corps_)));
  }

  Redaction& redaction_;
  char ligne_[kColonnesUtiles];
  std::size_t longueur_ = 0;
  char corps_[96];  // "GPWPL,", 20 bytes of coordinates, 4 commas, a name of at most 25 bytes
};

}  // namespace

long long lireG7towin(Source& source, Redaction& redaction) {
  DecoupeG7towin decoupe(redaction);
  parcourirLignes(source, decoupe);
  return redaction.compteur();
}

}  // namespace zor::conversion
