// Any bytes as a GPX file. Whatever the block size, the same sentences or a fault (expat may
// word a fault of the prolog differently when it comes in pieces);
// every sentence well framed with a right checksum, every name of at most six bytes without
// "," "*" "$" "!" or control character; and the sentences written out as GPX read back to the
// very same sentences.
#include "convert/ecrivain_gpx.h"
#include "convert/ecrivain_phrases.h"
#include "core/erreur.h"
#include "fuzz/commun.h"

namespace {

using namespace zor;

struct Lecture {
  fuzz::Issue issue;
  std::string faute;
};

Lecture lire(std::string_view entree, conversion::Mode mode, std::size_t bloc) {
  Lecture l{{0, {}, {}, {}}, {}};
  try {
    l.issue = fuzz::executer(conversion::TypeEntree::Gpx, entree, mode, bloc);
  } catch (const Echec& e) {
    l.faute = decrire(e.erreur());
  }
  return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  if (taille == 0) return 0;
  const auto mode = (donnees[0] & 1) ? conversion::Mode::Waypoint : conversion::Mode::Profil;
  const std::size_t petitBloc = 1 + (donnees[0] >> 1) % 64;
  const std::string_view entree(reinterpret_cast<const char*>(donnees + 1), taille - 1);

  const Lecture entier = lire(entree, mode, 1 << 20);
  const Lecture morcele = lire(entree, mode, petitBloc);
  fuzz::verifier(entier.faute.empty() == morcele.faute.empty(), "l'échec dépend de la taille des blocs");
  fuzz::verifier(entier.issue.fichier == morcele.issue.fichier, "le fichier dépend de la taille des blocs");
  if (!entier.faute.empty()) {
    fuzz::verifier(entier.faute.find("(ligne ") != std::string::npos && morcele.faute.find("(ligne ") != std::string::npos,
                   "faute sans ligne");
    return 0;
  }
  fuzz::verifierPhrasesGenerees(entier.issue);
  for (const std::string& phrase : entier.issue.ecritures) {
    const std::string_view nom = std::string_view(phrase).substr(0, phrase.size() - 7).substr(phrase.rfind(',', phrase.size() - 7) + 1);
    if (mode == conversion::Mode::Waypoint) {
      fuzz::verifier(nom.size() <= 6 && !nom.empty(), "nom de plus de six octets");
      for (const char c : nom)
        fuzz::verifier(c != ',' && c != '*' && c != '$' && c != '!' && static_cast<unsigned char>(c) >= 0x20 &&
                           c != 0x7F,
                       "caractère interdit dans un nom");
    }
  }

  // The sentences as GPX, and that GPX read again: the same sentences.
  conversion::SourceMemoire phrases(entier.issue.fichier);
  conversion::SortieMemoire gpx;
  conversion::EcrivainGpx ecrivain(gpx);
  const conversion::Bilan bilan = conversion::convertirVers(conversion::TypeEntree::Zor, phrases, ecrivain, mode);
  fuzz::verifier(bilan.ignores == 0, "une phrase écrite n'est pas relue");
  const Lecture relue = lire(gpx.octets(), mode, 1 << 20);
  fuzz::verifier(relue.faute.empty(), "le GPX écrit n'est pas relu");
  fuzz::verifier(relue.issue.fichier == entier.issue.fichier, "aller-retour GPX différent");
  return 0;
}
