#include "tests/support/outils.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace zor::test {

void HorlogeFactice::dormir(std::chrono::milliseconds duree) {
  t_ += duree;
  total_ += duree;
  ++pauses_;
}

VariableEnvironnement::VariableEnvironnement(std::string nom, const std::optional<std::string>& valeur)
    : nom_(std::move(nom)) {
  if (const char* a = std::getenv(nom_.c_str())) ancienne_ = a;
  if (valeur)
    ::setenv(nom_.c_str(), valeur->c_str(), 1);
  else
    ::unsetenv(nom_.c_str());
}

VariableEnvironnement::~VariableEnvironnement() {
  if (ancienne_)
    ::setenv(nom_.c_str(), ancienne_->c_str(), 1);
  else
    ::unsetenv(nom_.c_str());
}

LecteurCTemporaire::LecteurCTemporaire() {
  static std::atomic<int> compteur{0};
  dossier_ = std::filesystem::temp_directory_path() /
             ("zor-c-" + std::to_string(::getpid()) + "-" + std::to_string(compteur++));
  std::filesystem::remove_all(dossier_);
  std::filesystem::create_directories(dossier_);
  variable_.emplace("ZOR_DRIVE_C", dossier_.string());
}
LecteurCTemporaire::~LecteurCTemporaire() {
  variable_.reset();
  std::error_code ec;
  std::filesystem::remove_all(dossier_, ec);
}

std::string lireOctets(const std::filesystem::path& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void ecrireOctets(const std::filesystem::path& chemin, std::string_view octets) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

std::filesystem::path secoursAnnonce(const std::string& message) {
  for (const std::string annonce : {" a été gardé dans ", " ont été gardés dans "}) {
    const auto debut = message.find(annonce);
    if (debut == std::string::npos) continue;
    const auto chemin = debut + annonce.size();
    const auto fin = std::min({message.find(" ; ", chemin), message.find(".\n", chemin), message.size() - 1});
    return message.substr(chemin, fin - chemin);
  }
  return {};
}

bool seulementPourMoi(const std::filesystem::path& chemin) {
  using std::filesystem::perms;
  return (std::filesystem::status(chemin).permissions() & perms::all) == (perms::owner_read | perms::owner_write);
}

}  // namespace zor::test
