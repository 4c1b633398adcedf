#include "convert/ecrivain_phrases.h"

#include <cstring>

#include "convert/phrase.h"

namespace zor::conversion {

namespace {

// A field of the usual width (`largeur`) is copied at a size known here, which compiles to a
// move or two; any other goes through memcpy.
template <std::size_t largeur>
inline char* poser(char* p, std::string_view champ) {
  if (champ.size() == largeur) {
    std::memcpy(p, champ.data(), largeur);
    return p + largeur;
  }
  // Other short fields as two overlapping moves (profile names of 9 to 11 bytes, short columns).
  const std::size_t n = champ.size();
  const char* s = champ.data();
  if (n >= 8 && n <= 16) {
    std::memcpy(p, s, 8);
    std::memcpy(p + n - 8, s + n - 8, 8);
  } else if (n >= 4 && n < 8) {
    std::memcpy(p, s, 4);
    std::memcpy(p + n - 4, s + n - 4, 4);
  } else if (n > 16) {
    std::memcpy(p, s, n);
  } else {
    for (std::size_t i = 0; i < n; ++i) p[i] = s[i];
  }
  return p + n;
}

}  // namespace

void EcrivainPhrases::ecrire(const Waypoint& w) {
  const std::size_t champs = 6 + w.latitudeDegres.size() + w.latitudeMinutes.size() + w.nordSud.size() +
                             w.longitudeDegres.size() + w.longitudeMinutes.size() + w.estOuest.size() + 4;
  // A profile point name is at most 25 bytes; the body's length is known once it is written.
  const std::size_t place = champs + (w.profil > 0 ? 25 : w.nom.size()) + 8;
  // Built in place in the file's buffer: "$", the body, the builder's "*HH" CR LF, then the
  // line end the file writer adds.
  char* debut = sortie_.place(place);
  char* p = debut;
  *p++ = '$';
  std::memcpy(p, "GPWPL,", 6);
  p += 6;
  p = poser<2>(p, w.latitudeDegres);
  p = poser<6>(p, w.latitudeMinutes);
  *p++ = ',';
  p = poser<1>(p, w.nordSud);
  *p++ = ',';
  p = poser<3>(p, w.longitudeDegres);
  p = poser<6>(p, w.longitudeMinutes);
  *p++ = ',';
  p = poser<1>(p, w.estOuest);
  *p++ = ',';
  p = w.profil > 0 ? poserNomProfil(p, w.profil) : poser<6>(p, w.nom);
  const std::size_t corps = static_cast<std::size_t>(p - debut) - 1;
  const std::uint8_t somme = sommeControle(std::string_view(debut + 1, corps));
  poserFinPhrase(p, somme);
  p[5] = '\r';
  p[6] = '\n';
  if (echo_ != nullptr) {
    echo_->append(debut, corps + 6);
    finEcho_ = echo_->size();
  }
  genere_ = true;
  sortie_.valider(corps + 8);
  sortie_.finDeLigne();
}

void EcrivainPhrases::finCopie() {
  if (echo_ != nullptr) {
    echo_->append("\r\n");
    finEcho_ = echo_->size();
  }
  sortie_.ecrire("\r\n");
  sortie_.finDeLigne();
}

void EcrivainPhrases::abandonner() noexcept {
  if (echo_ != nullptr && echo_->size() > finEcho_) echo_->resize(finEcho_);
  sortie_.abandonner();
  if (echo_ == nullptr) return;
  // The echo never shows more than the file holds (a full disk keeps its first lines only):
  // each line of the echo stands for itself in the file, and a generated sentence for one
  // empty line more.
  const unsigned long long gardes = sortie_.octetsGardes();
  unsigned long long dansLeFichier = 0;
  std::size_t fin = debutEcho_;
  while (fin < echo_->size()) {
    const std::size_t finLigne = echo_->find("\r\n", fin);
    if (finLigne == std::string::npos) break;
    dansLeFichier += finLigne + 2 - fin + (genere_ ? 2 : 0);
    if (dansLeFichier > gardes) break;
    fin = finLigne + 2;
  }
  echo_->resize(fin);
}

}  // namespace zor::conversion
