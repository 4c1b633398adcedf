// The about box's lookups against the real registry of this Windows. tests/windows/lancer.sh
// writes these values with the system's own `reg add` before the program runs:
//   HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO    PATH   REG_SZ     C:\Outils ZOR\infos système.exe
//                                                  NOMBRE REG_DWORD  0xfffffefb
//                                                  VIDE   REG_BINARY (no data)
//   HKLM\SOFTWARE\Microsoft\Shared Tools Location  MSINFO REG_SZ     C:\Outils ZOR
// One check takes PATH away for a while and creates C:\Outils ZOR\MSINFO32.EXE: these checks
// are for wine's private prefix, not for a Windows in use.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "about/recherche_infos.h"
#include "about/lancement.h"
#include "tests/windows/verification.h"

namespace zor::verif {
namespace {

constexpr char kCleMsinfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kCleEmplacements[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
// "é" as the ANSI functions hand it over (Windows-1252).
const std::string kDossier = "C:\\Outils ZOR";
const std::string kProgramme = kDossier + "\\infos syst\xE8me.exe";

VERIF(le_registre_donne_chaque_valeur_comme_la_boite_l_attend) {
  struct Cas {
    const char* cle;
    const char* valeur;
    bool trouve;
    std::string texte;  // "avant": left as passed in
  };
  const Cas cas[] = {
      {kCleMsinfo, "PATH", true, kProgramme},
      {kCleEmplacements, "MSINFO", true, kDossier},
      {kCleMsinfo, "path", true, kProgramme},  // value names ignore case
      {kCleMsinfo, "NOMBRE", true, "-261"},
      {kCleMsinfo, "ABSENTE", false, ""},
      {"SOFTWARE\\Microsoft\\Shared Tools\\ABSENTE", "PATH", false, ""},
  };
  for (const Cas& c : cas) {
    std::string texte = "avant";
    EXIGER_EGAL(apropos::GetKeyValue(apropos::kHkeyLocalMachine, c.cle, c.valeur, texte), c.trouve);
    EXIGER_EGAL(texte, c.texte);
  }
}

VERIF(une_valeur_vide_est_une_erreur_de_lecture) {
  std::string texte;
  bool erreur = false;
  try {
    apropos::GetKeyValue(apropos::kHkeyLocalMachine, kCleMsinfo, "VIDE", texte);
  } catch (const apropos::ErreurLecture&) {
    erreur = true;
  }
  EXIGER(erreur);
}

VERIF(le_chemin_du_registre_va_au_lancement_sans_test_d_existence) {
  std::vector<std::filesystem::path> lances;
  const apropos::Lanceur observer = [&](const std::filesystem::path& p) {
    lances.push_back(p);
    return true;
  };
  const bool lance = apropos::lancerInfosSysteme(observer);
  EXIGER(lance);
  if (EXIGER_EGAL(lances.size(), 1u))
    EXIGER(lances.front() == std::filesystem::path(L"C:\\Outils ZOR\\infos syst\u00E8me.exe"));
}

VERIF(sans_PATH_le_programme_est_MSINFO32_du_dossier_de_la_seconde_cle_s_il_existe) {
  HKEY cle = nullptr;
  if (!EXIGER(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, &cle) == ERROR_SUCCESS))
    return;
  std::vector<BYTE> chemin(2048);
  DWORD type = 0;
  DWORD taille = static_cast<DWORD>(chemin.size());
  const bool avaitChemin = RegQueryValueExW(cle, L"PATH", nullptr, &type, chemin.data(), &taille) == ERROR_SUCCESS;
  RegDeleteValueW(cle, L"PATH");

  std::vector<std::filesystem::path> lances;
  const apropos::Lanceur observer = [&](const std::filesystem::path& p) {
    lances.push_back(p);
    return true;
  };
  const std::filesystem::path dossier(L"C:\\Outils ZOR");
  const bool dossierCree = std::filesystem::create_directories(dossier);
  const bool sansProgramme = apropos::lancerInfosSysteme(observer);
  ecrireFichier(dossier / L"MSINFO32.EXE", "MZ");
  const bool avecProgramme = apropos::lancerInfosSysteme(observer);
  std::filesystem::remove(dossier / L"MSINFO32.EXE");
  if (dossierCree) std::filesystem::remove(dossier);
  if (avaitChemin) RegSetValueExW(cle, L"PATH", 0, type, chemin.data(), taille);
  RegCloseKey(cle);

  EXIGER(avaitChemin);
  EXIGER(!sansProgramme);
  EXIGER(avecProgramme);
  if (EXIGER_EGAL(lances.size(), 1u)) EXIGER(lances.front() == dossier / L"MSINFO32.EXE");
}

}  // namespace
}  // namespace zor::verif
