// The registry calls served by the stand-in store (every system but Windows).
#include "about/registre.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

#include "core/windows1252.h"
#include "about/registre_magasin.h"

namespace zor::apropos {
namespace {

constexpr long kErrorInvalidParameter = 87;

struct CleOuverte {
  // The store as it was read when the key was opened: a key sees one version of the file.
  std::shared_ptr<const MagasinRegistre> magasin;
  std::string chemin;  // UTF-8
};

std::map<HandleCle, CleOuverte>& clesOuvertes() {
  static std::map<HandleCle, CleOuverte> cles;
  return cles;
}
HandleCle prochaineCle = 0x1000;

std::string nomRacine(HandleCle racine) {
  switch (racine) {
    case 0x80000000u: return "HKEY_CLASSES_ROOT";
    case 0x80000001u: return "HKEY_CURRENT_USER";
    case 0x80000002u: return "HKEY_LOCAL_MACHINE";
    case 0x80000003u: return "HKEY_USERS";
    case 0x80000005u: return "HKEY_CURRENT_CONFIG";
    default: return {};
  }
}

// The key behind a handle: an open key, or a root read afresh from the file.
std::optional<CleOuverte> trouverCle(HandleCle cle, long& erreur) {
  if (const std::string racine = nomRacine(cle); !racine.empty()) {
    auto magasin = chargerMagasinRegistre(fichierRegistre());
    if (!magasin) {
      erreur = kErrorFileNotFound;
      return std::nullopt;
    }
    return CleOuverte{std::make_shared<const MagasinRegistre>(std::move(*magasin)), racine};
  }
  auto it = clesOuvertes().find(cle);
  if (it == clesOuvertes().end()) {
    erreur = kErrorInvalidHandle;
    return std::nullopt;
  }
  return it->second;
}

}  // namespace

std::filesystem::path fichierRegistre() {
  if (const char* f = std::getenv("ZOR_REGISTRY"); f != nullptr && *f != '\0') return f;
  return "/etc/zor/registry.reg";
}

long RegOpenKeyExA(HandleCle racine, const char* sousCle, std::uint32_t, std::uint32_t, HandleCle* cle) {
  if (cle == nullptr) return kErrorInvalidParameter;
  long erreur = kErrorSuccess;
  std::optional<CleOuverte> base = trouverCle(racine, erreur);
  if (!base) return erreur;
  CleOuverte ouverte = std::move(*base);
  if (sousCle != nullptr && *sousCle != '\0') ouverte.chemin += '\\' + utf8DepuisWindows1252(sousCle);
  if (!ouverte.magasin->cleExiste(ouverte.chemin)) return kErrorFileNotFound;
  *cle = prochaineCle++;
  clesOuvertes().emplace(*cle, std::move(ouverte));
  return kErrorSuccess;
}

long RegQueryValueExA(HandleCle cle, const char* nomValeur, std::uint32_t*, std::uint32_t* type, unsigned char* donnees,
                      std::uint32_t* taille) {
  if (donnees != nullptr && taille == nullptr) return kErrorInvalidParameter;
  long erreur = kErrorSuccess;
  std::optional<CleOuverte> ouverte = trouverCle(cle, erreur);
  if (!ouverte) return erreur;
  const std::string nom = nomValeur == nullptr ? std::string() : utf8DepuisWindows1252(nomValeur);
  const ValeurRegistre* v = ouverte->magasin->valeur(ouverte->chemin, nom);
  if (v == nullptr) return kErrorFileNotFound;
  if (type != nullptr) *type = v->type;
  const auto besoin = static_cast<std::uint32_t>(v->octets.size());
  if (donnees == nullptr) {
    if (taille != nullptr) *taille = besoin;
    return kErrorSuccess;
  }
  if (*taille < besoin) {
    *taille = besoin;
    return kErrorMoreData;
  }
  std::copy(v->octets.begin(), v->octets.end(), donnees);
  *taille = besoin;
  return kErrorSuccess;
}

long RegCloseKey(HandleCle cle) {
  if (!nomRacine(cle).empty()) return kErrorSuccess;
  return clesOuvertes().erase(cle) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace zor::apropos
