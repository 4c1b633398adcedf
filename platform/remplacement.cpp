// What making a file beside another shares on every system: a free name, and the writing.
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include "platform/remplacement_systeme.h"

namespace zor::platform {
namespace {

// The longest name a folder entry may have on the systems the program runs on.
constexpr std::size_t kNomMax = 255;

}  // namespace

std::FILE* creerVoisin(const std::filesystem::path& modele, std::string_view suffixe, std::filesystem::path& cree,
                       int& numero, unsigned mode) {
  static std::mt19937 hasard{std::random_device{}()};
  // The mark and the suffix go after the name, which is cut when they would make it too long.
  // The system's own form of the name (UTF-16 on Windows): no code page in between.
  std::filesystem::path::string_type nom = modele.filename().native();
  const std::size_t ajout = 9 + suffixe.size();
  if (nom.size() + ajout > kNomMax) nom.resize(kNomMax - ajout);
  for (int essai = 0; essai < 100; ++essai) {
    char marque[16];
    std::snprintf(marque, sizeof marque, ".%08x", static_cast<unsigned>(hasard()));
    std::filesystem::path candidat = modele.parent_path() / std::filesystem::path(nom);
    candidat += marque;
    candidat += std::string(suffixe);
    errno = 0;
    std::FILE* f = creerFichierNeuf(candidat, mode);
    if (f == nullptr) {
      numero = errno;
      if (numero == EEXIST) continue;
      return nullptr;
    }
    cree = std::move(candidat);
    return f;
  }
  numero = EEXIST;
  return nullptr;
}

int ecrireEtFermer(std::FILE* f, std::string_view octets, bool surLeDisque) {
  int numero = 0;
  errno = 0;
  if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), f) != octets.size()) numero = errno != 0 ? errno : EIO;
  errno = 0;
  if (numero == 0 && std::fflush(f) != 0) numero = errno != 0 ? errno : EIO;
  if (numero == 0 && surLeDisque) numero = versLeDisque(f);
  errno = 0;
  if (std::fclose(f) != 0 && numero == 0) numero = errno != 0 ? errno : EIO;
  return numero;
}

}  // namespace zor::platform
