#pragma once
// The download file: opened for output (created, or emptied) before anything is received and
// written in one piece at the end. What it held before is kept in memory until the download
// ends, so a download that fails before collecting anything can put it back.
#include <QFile>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "serial/panne.h"

namespace zor::serie {

class FichierReception {
 public:
  // nom: the file as the program names it ("c:\zor.txt").
  std::optional<Panne> ouvrir(const std::filesystem::path& chemin, const std::string& nom);
  std::optional<Panne> ecrire(std::string_view octets);
  // Back to what the file held before ouvrir; a file that did not exist is removed again.
  std::optional<Panne> remettreAncienContenu();
  std::optional<Panne> fermer();
  bool ouvert() const { return fichier_.isOpen(); }

 private:
  Panne panne(Panne::Genre genre, std::string raison) const;

  QFile fichier_;
  std::filesystem::path chemin_;
  std::string nom_;
  std::optional<std::string> ancien_;  // nothing: the file did not exist
};

}  // namespace zor::serie
