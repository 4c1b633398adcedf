#include "serial/fichier_reception.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zor::serie {
namespace {

QString nomQt(const std::filesystem::path& chemin) {
#ifdef _WIN32
  return QString::fromStdWString(chemin.wstring());
#else
  return QString::fromLocal8Bit(chemin.c_str());
#endif
}

std::string raisonQt(const QFile& f) { return f.errorString().toLocal8Bit().toStdString(); }

}  // namespace

Panne FichierReception::panne(Panne::Genre genre, std::string raison) const {
  Panne p;
  p.genre = genre;
  p.peripherique = nom_;
  p.chemin = chemin_.string();
  p.raison = std::move(raison);
  return p;
}

std::optional<Panne> FichierReception::ouvrir(const std::filesystem::path& chemin, const std::string& nom,
                                              Vidage vidage) {
  chemin_ = chemin;
  nom_ = nom;
  ancien_.reset();
  std::error_code ec;
  if (std::filesystem::is_directory(chemin, ec)) return panne(Panne::Genre::FichierNonCreable, std::strerror(EISDIR));
  existait_ = std::filesystem::exists(chemin, ec);
  // Reading back a pipe or a terminal would wait for ever, and it has nothing to put back.
  special_ = existait_ && !std::filesystem::is_regular_file(chemin, ec);
  const bool viderMaintenant = vidage == Vidage::Immediat || special_;
  if (viderMaintenant && existait_ && !special_) {
    // Only empty what could be put back.
    errno = 0;
    std::ifstream f(chemin, std::ios::binary);
    if (!f.is_open()) return panne(Panne::Genre::FichierNonCreable, std::strerror(errno != 0 ? errno : EACCES));
    ancien_.emplace(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    if (f.bad()) {
      ancien_.reset();
      return panne(Panne::Genre::FichierNonCreable, std::strerror(errno != 0 ? errno : EIO));
    }
  }
  fichier_.setFileName(nomQt(chemin));
  // Opened for reading too when it must keep its content: writing alone would empty it.
  const QIODevice::OpenMode mode =
      viderMaintenant ? (QIODevice::WriteOnly | QIODevice::Truncate) : QIODevice::ReadWrite;
  if (!fichier_.open(mode)) {
    ancien_.reset();
    return panne(Panne::Genre::FichierNonCreable, raisonQt(fichier_));
  }
  vide_ = viderMaintenant;
  return std::nullopt;
}

std::optional<Panne> FichierReception::ecrire(std::string_view octets) {
  if (!vide_) {
    if (!fichier_.resize(0) || !fichier_.seek(0)) return panne(Panne::Genre::FichierNonEcrit, raisonQt(fichier_));
    vide_ = true;
  }
  const auto taille = static_cast<qint64>(octets.size());
  if (fichier_.write(octets.data(), taille) != taille || !fichier_.flush())
    return panne(Panne::Genre::FichierNonEcrit, raisonQt(fichier_));
  return std::nullopt;
}

std::optional<Panne> FichierReception::remettreAncienContenu() {
  if (special_) return std::nullopt;
  if (!existait_) {
    fichier_.close();
    if (!fichier_.remove()) return panne(Panne::Genre::FichierNonEcrit, raisonQt(fichier_));
    return std::nullopt;
  }
  if (!vide_) return std::nullopt;  // never emptied: it still holds what it held
  if (!fichier_.isOpen() || !ancien_) return panne(Panne::Genre::FichierNonEcrit, "fichier fermé");
  fichier_.seek(0);
  fichier_.resize(0);
  return ecrire(*ancien_);
}

std::optional<Panne> FichierReception::fermer() {
  if (!fichier_.isOpen()) return std::nullopt;
  const bool vide = fichier_.flush();
  const std::string raison = raisonQt(fichier_);
  fichier_.close();
  ancien_.reset();
  if (!vide || fichier_.error() != QFileDevice::NoError) return panne(Panne::Genre::FichierNonEcrit, raison);
  return std::nullopt;
}

}  // namespace zor::serie
