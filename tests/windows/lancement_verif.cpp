// The file test and the real start of a program on Windows, and the other system calls the
// program makes there: drive C:, the serial device names, the serial drain.
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/drive_c.h"
#include "about/lancement.h"
#include "platform/peripherique_serie.h"
#include "platform/vidange_serie.h"
#include "tests/windows/verification.h"

namespace zor::verif {
namespace {

// The path as the registry's ANSI functions would hand it over.
std::string ansi(const std::filesystem::path& chemin) {
  const std::wstring large = chemin.wstring();
  const int n = WideCharToMultiByte(CP_ACP, 0, large.c_str(), static_cast<int>(large.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string texte(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, large.c_str(), static_cast<int>(large.size()), texte.data(), n, nullptr, nullptr);
  return texte;
}

std::filesystem::path programmeCourant() {
  wchar_t nom[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, nom, MAX_PATH);
  return std::filesystem::path(std::wstring(nom, n));
}

VERIF(un_fichier_ordinaire_n_est_ni_dossier_ni_cache_ni_systeme) {
  const auto d = dossierTemporaire() / L"Outils \u00E9t\u00E9";
  std::filesystem::create_directories(d / "dossier");
  for (const char* nom : {"prog.exe", "cache.exe", "systeme.exe"}) ecrireFichier(d / nom, "MZ");
  SetFileAttributesW((d / "cache.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW((d / "systeme.exe").c_str(), FILE_ATTRIBUTE_SYSTEM);
  struct Cas {
    std::string chemin;
    bool existe;
  };
  const Cas cas[] = {
      {ansi(d / "prog.exe"), true},    {ansi(d / "PROG.EXE"), true},   {ansi(d / "dossier"), false},
      {ansi(d / "cache.exe"), false},  {ansi(d / "systeme.exe"), false}, {ansi(d / "absent.exe"), false},
      {"", false},
  };
  for (const Cas& c : cas) EXIGER_EGAL(apropos::fichierOrdinaireExiste(c.chemin), c.existe);
}

VERIF(le_vrai_lancement_demarre_le_programme_sans_l_attendre) {
  // A folder with blanks and an accent: the path is one program, not a command line.
  const auto dossier = dossierTemporaire() / L"Program Files \u00E9";
  std::filesystem::create_directories(dossier);
  const auto sonde = dossier / "sonde zor.exe";
  std::filesystem::copy_file(programmeCourant().parent_path() / "sonde.exe", sonde);
  const auto trace = std::filesystem::path(sonde.wstring() + L".trace");

  EXIGER(!apropos::lancerProgramme(""));
  EXIGER(!apropos::lancerProgramme(ansi(dossier / "absent.exe")));
  EXIGER(!apropos::lancerProgramme(ansi(dossier)));
  if (!EXIGER(apropos::lancerProgramme(ansi(sonde)))) return;
  for (int i = 0; i < 500 && lireFichier(trace).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  // The program got no argument: its command line is its own quoted name.
  const std::wstring attendu = L"\"" + sonde.wstring() + L"\"";
  EXIGER(lireFichier(trace) == std::string(reinterpret_cast<const char*>(attendu.data()), attendu.size() * sizeof(wchar_t)));
}

VERIF(le_lecteur_c_est_le_vrai) {
  EXIGER(platform::dossierLecteurC() == std::filesystem::path(L"C:\\"));
  EXIGER(platform::cheminLocal("c:\\zor.txt") == std::filesystem::path(L"c:\\zor.txt"));
  EXIGER(platform::cheminLocal("C:\\Syst\xE8me\\x.exe") == std::filesystem::path(L"C:\\Syst\u00E8me\\x.exe"));
}

VERIF(les_ports_sont_com1_a_com4) {
  EXIGER_EGAL(platform::peripheriqueDuPort(1), "COM1");
  EXIGER_EGAL(platform::peripheriqueDuPort(4), "COM4");
}

VERIF(un_port_tape_se_nomme_comme_windows_le_nomme) {
  struct Cas {
    const char* texte;
    bool peripherique;
  };
  const Cas cas[] = {
      {"COM1", true},    {"com3", true},    {"COM255", true},  {"\\\\.\\COM12", true}, {"\\\\.\\CNCA0", true},
      {"Comm1", false},  {"COM", false},    {"COM0", false},   {"COM256", false},      {"COM01", false},
      {"COM1 ", false},  {"\\\\.\\", false}, {"/dev/ttyS0", false}, {"", false},
  };
  for (const Cas& c : cas) EXIGER_EGAL(platform::estCheminDePeripherique(c.texte), c.peripherique);
}

VERIF(la_vidange_attend_le_pilote_et_signale_une_poignee_invalide) {
  const auto chemin = dossierTemporaire() / "vidange";
  HANDLE h = CreateFileW(chemin.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!EXIGER(h != INVALID_HANDLE_VALUE)) return;
  DWORD ecrits = 0;
  WriteFile(h, "$GPWPL\r\n", 8, &ecrits, nullptr);
  EXIGER(platform::viderSortie(h, 4800));
  CloseHandle(h);
  EXIGER(!platform::viderSortie(INVALID_HANDLE_VALUE, 4800));
}

}  // namespace
}  // namespace zor::verif
