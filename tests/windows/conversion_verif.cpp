// The converter built for this system writes, byte for byte, what the Linux build writes for
// the same input (the files under tests/windows/attendu were written by the Linux zor-cli), and
// opens its files by any name the system can hold.
#include <cerrno>
#include <string>

#include "convert/conversion.h"
#include "core/erreur.h"
#include "platform/fichiers.h"
#include "tests/windows/verification.h"

namespace zor::verif {
namespace {

using conversion::Mode;
using conversion::TypeEntree;

struct CasConversion {
  const char* entree;
  TypeEntree type;
  Mode mode;
  const char* attendu;
  long long enregistrements;
};

const CasConversion kConversions[] = {
    {"zor.txt", TypeEntree::Zor, Mode::Profil, "zor-profil.txt", 4},
    {"g7towin.txt", TypeEntree::G7towin, Mode::Profil, "g7towin-profil.txt", 6},
    {"g7towin.txt", TypeEntree::G7towin, Mode::Waypoint, "g7towin-waypoint.txt", 6},
    {"exemple.axe", TypeEntree::AutorouteExpress, Mode::Profil, "axe-profil.txt", 4},
    {"exemple.axe", TypeEntree::AutorouteExpress, Mode::Waypoint, "axe-waypoint.txt", 4},
};

VERIF(chaque_type_ecrit_les_memes_octets_que_la_construction_linux) {
  for (const CasConversion& c : kConversions) {
    const auto sortie = dossierTemporaire() / c.attendu;
    const long long n = conversion::convertirVersFichier(
        c.type, dossierSource() / "tests" / "convert" / "donnees" / c.entree, sortie, c.mode);
    EXIGER_EGAL(n, c.enregistrements);
    const std::string attendu = lireFichier(dossierSource() / "tests" / "windows" / "attendu" / c.attendu);
    EXIGER(!attendu.empty());
    EXIGER_EGAL(lireFichier(sortie), attendu);
  }
}

VERIF(un_nom_hors_de_la_page_de_code_s_ouvre_en_lecture_et_en_ecriture) {
  // Accents, the euro sign and a character no 8-bit code page holds.
  const auto dossier = dossierTemporaire() / u8"Dossier é€ 漢";
  std::filesystem::create_directories(dossier);
  const auto entree = dossier / u8"entrée €漢.txt";
  const auto sortie = dossier / u8"sortie €漢";
  const std::string modele = lireFichier(dossierSource() / "tests" / "convert" / "donnees" / "zor.txt");
  std::FILE* f = platform::ouvrirFichierEcriture(entree);
  if (!EXIGER(f != nullptr)) return;
  EXIGER_EGAL(std::fwrite(modele.data(), 1, modele.size(), f), modele.size());
  std::fclose(f);
  EXIGER_EGAL(conversion::convertirVersFichier(TypeEntree::Zor, entree, sortie, Mode::Profil), 4LL);
  EXIGER_EGAL(lireFichier(sortie), lireFichier(dossierSource() / "tests" / "windows" / "attendu" / "zor-profil.txt"));
}

VERIF(un_dossier_en_entree_est_refuse_comme_dossier) {
  errno = 0;
  std::FILE* f = platform::ouvrirFichierLecture(dossierTemporaire());
  if (f != nullptr) {
    // Opened like a file (Linux): the converter asks the platform what it is.
    EXIGER(platform::estUnDossier(f));
    std::fclose(f);
  } else {
    EXIGER_EGAL(errno, EISDIR);
  }
  int numero = 0;
  try {
    conversion::SourceFichier source(dossierTemporaire());
  } catch (const Echec& e) {
    numero = e.erreur().numeroSysteme;
  }
  EXIGER_EGAL(numero, EISDIR);
}

VERIF(un_fichier_ordinaire_n_est_pas_un_dossier_et_la_sortie_passe_en_octets) {
  const auto chemin = dossierTemporaire() / "ordinaire.txt";
  ecrireFichier(chemin, "x");
  std::FILE* f = platform::ouvrirFichierLecture(chemin);
  if (!EXIGER(f != nullptr)) return;
  EXIGER(!platform::estUnDossier(f));
  std::fclose(f);
  EXIGER(platform::fluxBinaire(stdout));
}

}  // namespace
}  // namespace zor::verif
