// The files the program writes, on Windows: by their path in UTF-16. Windows has no symbolic
// links a user plants for another, no FIFOs on a path, and keeps a file being written by one
// program from being opened for writing by another.
#include "platform/ecriture.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/remplacement_systeme.h"

namespace zor::platform {
namespace {

using Genre = Erreur::Genre;

Erreur refus(Genre genre, int numero, std::string detail = {}) {
  Erreur e;
  e.genre = genre;
  e.numeroSysteme = numero;
  e.detail = std::move(detail);
  return e;
}

// Windows lets a user who is no administrator change a file at the root of C: that was made
// writable for them (the setup program does so for c:\zor.txt), but not create one beside it.
// The file is then rewritten where it is; should that fail, its old bytes are put back.
int remplacerSansVoisin(const std::filesystem::path& chemin, std::string_view octets, int raison) {
  std::error_code ec;
  if (raison != EACCES || !std::filesystem::is_regular_file(chemin, ec)) return raison;
  std::FILE* lu = ::_wfopen(chemin.c_str(), L"rb");
  if (lu == nullptr) return errno != 0 ? errno : EACCES;
  std::string ancien;
  char tampon[65536];
  for (std::size_t n; (n = std::fread(tampon, 1, sizeof tampon, lu)) > 0;) ancien.append(tampon, n);
  const bool illisible = std::ferror(lu) != 0;
  std::fclose(lu);
  if (illisible) return EIO;
  std::FILE* f = ::_wfopen(chemin.c_str(), L"wb");
  if (f == nullptr) return errno != 0 ? errno : EACCES;
  const int numero = ecrireEtFermer(f, octets);
  if (numero != 0) {
    if (std::FILE* remis = ::_wfopen(chemin.c_str(), L"wb")) ecrireEtFermer(remis, ancien);
  }
  return numero;
}

}  // namespace

std::optional<Erreur> Ecriture::ouvrir(const std::filesystem::path& chemin, const ReglesEcriture& regles) {
  abandonner();
  regles_ = regles;
  chemin_ = chemin;
  bool recommencer = false;
  auto erreur = ouvrirALaPlace(recommencer);
  if (erreur) abandonner();
  return erreur;
}

std::optional<Erreur> Ecriture::ouvrirALaPlace(bool&) {
  std::error_code ec;
  const auto etat = std::filesystem::status(chemin_, ec);
  if (std::filesystem::is_directory(etat)) return refus(Genre::FichierNonCreable, EISDIR);
  const bool present = std::filesystem::exists(etat);
  if (present && !std::filesystem::is_regular_file(etat)) {
    if (regles_.ordinaireSeulement) return refus(Genre::SortieNonOrdinaire, 0, "un périphérique");
    bool recommencer = false;
    return ouvrirSpecial(0, recommencer);
  }
  if (regles_.maniere == ReglesEcriture::Maniere::SurPlace) {
    errno = 0;
    flux_ = ::_wfopen(chemin_.c_str(), L"wb");
    if (flux_ == nullptr) return refus(present ? Genre::FichierNonEcrit : Genre::FichierNonCreable, errno != 0 ? errno : EACCES);
    return std::nullopt;
  }
  // Opened for appending, which changes nothing, to know at once whether it may be written;
  // closed again at once: Windows would not let the new file take the name of an open one.
  errno = 0;
  std::FILE* essai = ::_wfopen(chemin_.c_str(), present ? L"ab" : L"wbx");
  if (essai == nullptr) return refus(present ? Genre::FichierNonEcrit : Genre::FichierNonCreable, errno != 0 ? errno : EACCES);
  std::fclose(essai);
  cree_ = !present;
  int numero = 0;
  flux_ = creerVoisin(chemin_, ".tmp", temporaire_, numero);
  if (flux_ != nullptr) return std::nullopt;
  // The root of C: lets a user change a file made writable for them, not make one beside it.
  if (present && regles_.dUnCoup && numero == EACCES) {
    refusVoisin_ = numero;
    return std::nullopt;
  }
  return refus(cree_ ? Genre::FichierNonCreable : Genre::DossierFerme, numero);
}

std::optional<Erreur> Ecriture::ouvrirSpecial(unsigned, bool&) {
  errno = 0;
  flux_ = ::_wfopen(chemin_.c_str(), L"wb");
  if (flux_ == nullptr) return refus(Genre::FichierNonEcrit, errno != 0 ? errno : EACCES);
  special_ = true;
  return std::nullopt;
}

int Ecriture::prendreLeNom() {
  std::error_code ec;
  std::filesystem::rename(temporaire_, chemin_, ec);
  return ec ? ec.value() : 0;
}

int Ecriture::reecrireSurPlace(std::string_view octets) { return remplacerSansVoisin(chemin_, octets, refusVoisin_); }

int Ecriture::abandonner() {
  if (flux_ != nullptr) std::fclose(flux_);
  flux_ = nullptr;
  std::error_code ec;
  if (!temporaire_.empty()) std::filesystem::remove(temporaire_, ec);
  temporaire_.clear();
  int numero = 0;
  if (cree_ && !std::filesystem::remove(chemin_, ec) && ec) numero = ec.value();
  fermerTout();
  return numero;
}

void Ecriture::fermerTout() noexcept {
  if (flux_ != nullptr) std::fclose(flux_);
  flux_ = nullptr;
  special_ = cree_ = suivre_ = false;
  refusVoisin_ = 0;
}

std::FILE* ouvrirLectureOrdinaire(const std::filesystem::path& chemin, std::optional<Erreur>& refusLecture) {
  std::error_code ec;
  const auto etat = std::filesystem::status(chemin, ec);
  if (std::filesystem::is_directory(etat)) {
    refusLecture = refus(Genre::FichierIllisible, EISDIR);
    return nullptr;
  }
  if (std::filesystem::exists(etat) && !std::filesystem::is_regular_file(etat)) {
    refusLecture = refus(Genre::FichierNonOrdinaire, 0, "un périphérique");
    return nullptr;
  }
  errno = 0;
  std::FILE* f = ::_wfopen(chemin.c_str(), L"rb");
  if (f == nullptr) refusLecture = refus(Genre::FichierIllisible, errno != 0 ? errno : ENOENT);
  return f;
}

}  // namespace zor::platform
