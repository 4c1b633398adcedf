// The converter built for this system writes, byte for byte, what the Linux build writes for
// the same input (the files under tests/windows/attendu were written by the Linux zor-cli), and
// opens its files by any name the system can hold.
#include <cerrno>
#include <string>

#include "convert/conversion.h"
#include "tests/convert/conversion_essai.h"
#include "convert/ecrivain_gpx.h"
#include "core/erreur.h"
#include "platform/fichiers.h"
#include "tests/windows/verification.h"

namespace zor::verif {
namespace {

using conversion::Mode;
using conversion::FormatEntree;
namespace format = conversion::format;

struct CasConversion {
  const char* entree;
  const FormatEntree* type;
  Mode mode;
  const char* attendu;
  long long enregistrements;
};

const CasConversion kConversions[] = {
    {"zor.txt", format::Zor, Mode::Profil, "zor-profil.txt", 4},
    {"g7towin.txt", format::G7towin, Mode::Profil, "g7towin-profil.txt", 6},
    {"g7towin.txt", format::G7towin, Mode::Waypoint, "g7towin-waypoint.txt", 6},
    {"exemple.axe", format::AutorouteExpress, Mode::Profil, "axe-profil.txt", 4},
    {"exemple.axe", format::AutorouteExpress, Mode::Waypoint, "axe-waypoint.txt", 4},
    // GPX goes through the system's XML parser: XmlLite on Windows, expat on Linux.
    {"exemple.gpx", format::Gpx, Mode::Waypoint, "gpx-waypoint.txt", 7},
    {"exemple.gpx", format::Gpx, Mode::Profil, "gpx-profil.txt", 2},
    {"exemple10.gpx", format::Gpx, Mode::Waypoint, "gpx10-waypoint.txt", 3},
};

VERIF(la_sortie_gpx_est_celle_de_la_construction_linux) {
  const std::pair<const FormatEntree*, const char*> cas[] = {{format::Zor, "zor"}, {format::G7towin, "g7towin"}};
  for (const auto& [type, nom] : cas) {
    const std::string entree = lireFichier(dossierSource() / "tests" / "convert" / "donnees" / (std::string(nom) + ".txt"));
    conversion::SourceMemoire source(entree);
    conversion::SortieMemoire sortie;
    conversion::EcrivainGpx gpx(sortie);
    conversion::convertirVers(type, source, gpx, Mode::Waypoint);
    const std::string attendu = type == format::Zor ? "zor.gpx" : "g7towin-waypoint.gpx";
    EXIGER_EGAL(sortie.octets(), lireFichier(dossierSource() / "tests" / "windows" / "attendu" / attendu));
  }
}

// The fault a GPX input stops at, as the user reads it.
std::string fauteGpx(const std::string& document) {
  conversion::SourceMemoire source(document, 7);
  conversion::SortieMemoire sortie;
  try {
    conversion::convertirDepuis(format::Gpx, source, sortie, Mode::Waypoint);
  } catch (const Echec& e) {
    EXIGER(sortie.octets().find("SECRET") == std::string::npos);
    return decrire(e.erreur());
  }
  return "aucune faute";
}

VERIF(un_gpx_incorrect_s_arrete_a_sa_ligne_sans_entite_developpee) {
  const std::string rires =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n<!ENTITY a \"aaaaaaaaaa\">\n<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n]>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\">"
      "<wpt lat=\"1\" lon=\"1\"><name>&c;</name></wpt></gpx>";
  const std::string externe =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [<!ENTITY s SYSTEM \"file:///C:/windows/win.ini\">]>\n"
      "<gpx><wpt lat=\"1\" lon=\"1\"><name>&s;SECRET</name></wpt></gpx>";
  EXIGER(fauteGpx(rires).find("<!DOCTYPE>") != std::string::npos);
  EXIGER(fauteGpx(externe).find("<!DOCTYPE>") != std::string::npos);
  const std::string croisees = "<gpx>\n<wpt lat=\"1\" lon=\"1\">\n<name>A</wpt>\n</gpx>";
  EXIGER(fauteGpx(croisees).find("(ligne 3)") != std::string::npos);
  const std::string horsLimites = "<gpx>\n\n<wpt lat=\"90.5\" lon=\"1\"/></gpx>";
  EXIGER(fauteGpx(horsLimites).ends_with("GPX valable (ligne 3) : latitude 90.5 hors de -90 à 90."));
}

VERIF(chaque_type_ecrit_les_memes_octets_que_la_construction_linux) {
  for (const CasConversion& c : kConversions) {
    const auto sortie = dossierTemporaire() / c.attendu;
    long long n = -1;
    try {
      n = conversion::convertirVersFichier(c.type, dossierSource() / "tests" / "convert" / "donnees" / c.entree, sortie,
                                           c.mode);
    } catch (const Echec& e) {
      EXIGER_EGAL(decrire(e.erreur()), std::string(c.entree));
    }
    EXIGER_EGAL(n, c.enregistrements);
    const std::string attendu = lireFichier(dossierSource() / "tests" / "windows" / "attendu" / c.attendu);
    EXIGER(!attendu.empty());
    EXIGER_EGAL(lireFichier(sortie), attendu);
  }
}

// The fitting of a track (sines, square roots) keeps the very same points on both systems.
VERIF(une_trace_ajustee_garde_les_memes_points_que_la_construction_linux) {
  const auto sortie = dossierTemporaire() / "lignes-trace-profil.txt";
  conversion::Demande demande = conversion::demandeDe(format::Gpx, Mode::Profil);
  demande.ligne = "3";
  const conversion::Rapport r =
      conversion::convertirFichier(dossierSource() / "tests" / "convert" / "donnees" / "lignes.gpx", sortie, demande);
  EXIGER_EGAL(r.enregistrements, 255LL);
  EXIGER_EGAL(lireFichier(sortie), lireFichier(dossierSource() / "tests" / "windows" / "attendu" / "lignes-trace-profil.txt"));
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
  EXIGER_EGAL(conversion::convertirVersFichier(format::Zor, entree, sortie, Mode::Profil), 4LL);
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
