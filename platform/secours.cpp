#include "platform/secours.h"

#include <string>
#include <system_error>

#include "platform/remplacement_systeme.h"

namespace zor::platform {

std::filesystem::path sauverEnSecours(std::string_view octets, std::string_view prefixe, int& numeroSysteme) {
  std::filesystem::path cree;
  // Readable by this user alone: waypoints are nobody else's business.
  std::FILE* f = creerVoisin(dossierDeSecours() / std::string(prefixe), ".txt", cree, numeroSysteme, 0600);
  if (f == nullptr) return {};
  numeroSysteme = ecrireEtFermer(f, octets);
  if (numeroSysteme != 0) {
    std::error_code ec;
    std::filesystem::remove(cree, ec);
    return {};
  }
  return cree;
}

}  // namespace zor::platform
