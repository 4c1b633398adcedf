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
  // When the file loses what it held: at once (the window empties "c:\zor.txt" when the user
  // confirms), or only when the collected text is written (zor-cli: a download stopped by the
  // user, Ctrl+C, leaves the file as it was).
  enum class Vidage { Immediat, AuPremierEcrit };

  // nom: the file as the program names it ("c:\zor.txt").
  std::optional<Panne> ouvrir(const std::filesystem::path& chemin, const std::string& nom,
                              Vidage vidage = Vidage::Immediat);
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
  std::optional<std::string> ancien_;  // what an emptied regular file held
  bool existait_ = false;
  bool special_ = false;  // a pipe, a terminal, a device: nothing to keep or put back
  bool vide_ = false;     // its old content is gone
};

}  // namespace zor::serie
