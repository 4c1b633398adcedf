#pragma once
// A small check runner for the programs built where GoogleTest is not (the Windows build):
// each VERIF body runs once, each failed EXIGER / EXIGER_EGAL prints one line, and main()
// ends with "N passed, M failed" and exits 0 only when nothing failed.
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

namespace zor::verif {

int inscrire(const char* nom, void (*corps)());

// Records one check; `detail` says what was seen when it failed.
bool constater(bool vrai, std::string_view quoi, const std::string& detail, const char* fichier, int ligne);

template <typename A, typename B>
bool constaterEgal(const A& vu, const B& attendu, std::string_view quoi, const char* fichier, int ligne) {
  if (vu == attendu) return constater(true, quoi, {}, fichier, ligne);
  std::ostringstream detail;
  detail << "vu « " << vu << " », attendu « " << attendu << " »";
  return constater(false, quoi, detail.str(), fichier, ligne);
}

// The folder the checks may fill; emptied before the first check and removed at the end.
const std::filesystem::path& dossierTemporaire();

// The project's sources: $ZOR_SOURCE_DIR, else the folder the program was built from.
std::filesystem::path dossierSource();

// The whole file, or nothing when it cannot be read.
std::string lireFichier(const std::filesystem::path& chemin);
void ecrireFichier(const std::filesystem::path& chemin, std::string_view octets);

}  // namespace zor::verif

#define ZOR_VERIF_CONCAT2(a, b) a##b
#define ZOR_VERIF_CONCAT(a, b) ZOR_VERIF_CONCAT2(a, b)
#define VERIF(nom)                                                                     \
  static void nom();                                                                   \
  [[maybe_unused]] static const int ZOR_VERIF_CONCAT(inscrit_, nom) = ::zor::verif::inscrire(#nom, nom); \
  static void nom()

#define EXIGER(condition) ::zor::verif::constater((condition), #condition, {}, __FILE__, __LINE__)
#define EXIGER_EGAL(vu, attendu) ::zor::verif::constaterEgal((vu), (attendu), #vu, __FILE__, __LINE__)
