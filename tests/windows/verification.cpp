#include "tests/windows/verification.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace zor::verif {
namespace {

struct Inscrit {
  const char* nom;
  void (*corps)();
};

std::vector<Inscrit>& inscrits() {
  static std::vector<Inscrit> liste;
  return liste;
}

int reussis = 0;
int echoues = 0;
const char* enCours = "";

}  // namespace

int inscrire(const char* nom, void (*corps)()) {
  inscrits().push_back({nom, corps});
  return static_cast<int>(inscrits().size());
}

bool constater(bool vrai, std::string_view quoi, const std::string& detail, const char* fichier, int ligne) {
  if (vrai) {
    ++reussis;
    return true;
  }
  ++echoues;
  std::printf("ÉCHEC %s (%s:%d) : %.*s%s%s\n", enCours, fichier, ligne, static_cast<int>(quoi.size()), quoi.data(),
              detail.empty() ? "" : " : ", detail.c_str());
  return false;
}

const std::filesystem::path& dossierTemporaire() {
  static const std::filesystem::path dossier =
      std::filesystem::temp_directory_path() /
      ("zor-verifications-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  return dossier;
}

std::filesystem::path dossierSource() {
  if (const char* d = std::getenv("ZOR_SOURCE_DIR"); d != nullptr && *d != '\0') return d;
  return ZOR_DOSSIER_SOURCE;
}

std::string lireFichier(const std::filesystem::path& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void ecrireFichier(const std::filesystem::path& chemin, std::string_view octets) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

}  // namespace zor::verif

int main() {
  using namespace zor::verif;
  std::error_code ec;
  std::filesystem::remove_all(dossierTemporaire(), ec);
  std::filesystem::create_directories(dossierTemporaire(), ec);
  for (const Inscrit& i : inscrits()) {
    enCours = i.nom;
    try {
      i.corps();
    } catch (const std::exception& e) {
      constater(false, "exception", e.what(), __FILE__, __LINE__);
    } catch (...) {
      constater(false, "exception", "inconnue", __FILE__, __LINE__);
    }
  }
  std::filesystem::remove_all(dossierTemporaire(), ec);
  std::printf("%d passed, %d failed\n", reussis, echoues);
  return echoues == 0 && reussis > 0 ? 0 : 1;
}
