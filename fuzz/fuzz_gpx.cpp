// Any bytes as a GPX file. The first byte picks the mode and a small block size, the second the
// line asked for and how it is fitted. Whatever the block size, the same sentences or a fault
// (expat may word a fault of the prolog differently when it comes in pieces), and a fault
// leaves no sentence at all; every sentence well framed with a right checksum, every name of
// at most six bytes without "," "*" "$" "!" or control character; a line fitted keeps no
// more points than asked, its first and last among them; and the sentences written out as
// GPX read back to the very same sentences.
#include "convert/ecrivain_gpx.h"
#include "convert/ecrivain_phrases.h"
#include "core/erreur.h"
#include "fuzz/commun.h"

namespace {

using namespace zor;

struct Lecture {
  fuzz::Issue issue;
  conversion::Rapport rapport;
  std::string faute;
};

Lecture lire(std::string_view entree, const conversion::Demande& demande, std::size_t bloc) {
  Lecture l{{0, {}, {}, {}}, {}, {}};
  try {
    l.issue = fuzz::executer(demande, entree, bloc, &l.rapport);
  } catch (const Echec& e) {
    l.faute = decrire(e.erreur());
  }
  return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  if (taille < 2) return 0;
  const auto mode = (donnees[0] & 1) ? conversion::Mode::Waypoint : conversion::Mode::Profil;
  const std::size_t petitBloc = 1 + (donnees[0] >> 1) % 64;
  conversion::Demande demande = fuzz::demande("gpx", mode);
  static const char* const kLignes[] = {"", "", "1", "2", "trace"};
  demande.ligne = kLignes[donnees[1] % 5];
  demande.ajustement.points = (donnees[1] / 5) % 4 == 0 ? 0 : 1 + (donnees[1] / 5) % 4;
  demande.ajustement.ecart = (donnees[1] / 20) % 3 == 1 ? 10.0 : 0.0;
  const std::string_view entree(reinterpret_cast<const char*>(donnees + 2), taille - 2);

  const Lecture entier = lire(entree, demande, 1 << 20);
  const Lecture morcele = lire(entree, demande, petitBloc);
  fuzz::verifier(entier.faute.empty() == morcele.faute.empty(), "l'échec dépend de la taille des blocs");
  fuzz::verifier(entier.issue.fichier == morcele.issue.fichier, "le fichier dépend de la taille des blocs");
  if (!entier.faute.empty()) {
    fuzz::verifier(entier.faute.find("(ligne ") != std::string::npos && morcele.faute.find("(ligne ") != std::string::npos,
                   "faute sans ligne");
    fuzz::verifier(entier.issue.fichier.empty() && morcele.issue.fichier.empty(), "phrases écrites avant une faute");
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
  if (const auto& a = entier.rapport.ajustement) {
    fuzz::verifier(a->apres == entier.issue.nombre && a->apres <= a->avant, "points gardés mal comptés");
    fuzz::verifier(a->avant < 2 || a->apres >= 2, "premier ou dernier point perdu");
    fuzz::verifier(demande.ajustement.points < 2 || a->apres <= demande.ajustement.points, "plus de points que demandé");
  }
  fuzz::verifier(!entier.rapport.ligneIntrouvable || entier.issue.nombre == 0, "phrases écrites pour une ligne absente");

  // The sentences as GPX, and that GPX read again (its waypoints, no line): the same sentences.
  conversion::SourceMemoire phrases(entier.issue.fichier);
  conversion::SortieMemoire gpx;
  conversion::EcrivainGpx ecrivain(gpx);
  const conversion::Rapport retour = conversion::convertir(phrases, ecrivain, fuzz::demande("zor", mode));
  fuzz::verifier(retour.ignores == 0, "une phrase écrite n'est pas relue");
  const Lecture relue = lire(gpx.octets(), fuzz::demande("gpx", mode), 1 << 20);
  fuzz::verifier(relue.faute.empty(), "le GPX écrit n'est pas relu");
  fuzz::verifier(relue.issue.fichier == entier.issue.fichier, "aller-retour GPX différent");
  return 0;
}
