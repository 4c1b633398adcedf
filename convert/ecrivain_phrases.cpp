#include "convert/ecrivain_phrases.h"

#include <cstring>

#include "convert/phrase.h"

namespace zor::conversion {

namespace {

inline char* poser(char* p, std::string_view champ) {
  // Most fields are one to six bytes: a short loop beats a call to memcpy.
  for (const char c : champ) *p++ = c;
  return p;
}

}  // namespace

void EcrivainPhrases::ecrire(const Waypoint& w) {
  const std::size_t corps = 6 + w.latitudeDegres.size() + w.latitudeMinutes.size() + w.nordSud.size() +
                            w.longitudeDegres.size() + w.longitudeMinutes.size() + w.estOuest.size() + 4 +
                            w.nom.size();
  // Built in place in the file's buffer: "$", the body, the builder's "*HH" CR LF, then the
  // line end the file writer adds.
  char* debut = sortie_.place(corps + 8);
  char* p = debut;
  *p++ = '$';
  std::memcpy(p, "GPWPL,", 6);
  p += 6;
  p = poser(p, w.latitudeDegres);
  p = poser(p, w.latitudeMinutes);
  *p++ = ',';
  p = poser(p, w.nordSud);
  *p++ = ',';
  p = poser(p, w.longitudeDegres);
  p = poser(p, w.longitudeMinutes);
  *p++ = ',';
  p = poser(p, w.estOuest);
  *p++ = ',';
  p = poser(p, w.nom);
  poserFinPhrase(p, sommeControle(std::string_view(debut + 1, corps)));
  p[5] = '\r';
  p[6] = '\n';
  if (echo_ != nullptr) {
    echo_->append(debut, corps + 6);
    finEcho_ = echo_->size();
  }
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
}

}  // namespace zor::conversion
