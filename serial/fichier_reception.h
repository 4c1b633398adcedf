#pragma once
// The download file. It keeps what it held until the download ends as it should: only then
// does the collected text replace it, written beside it and then taking its name, so that it
// holds either what it held before or the whole new text, never a part. Pipes, terminals and
// devices are written as they are. While the download runs no other program may write it.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/erreur.h"
#include "platform/ecriture.h"

namespace zor::serie {

struct FichierNomme {
  std::filesystem::path chemin;  // on this system
  std::string nom;               // as the program names it ("c:\$_t_e_m_p", "c:\zor.txt")
  // One of the program's own fixed files: only a regular file will do, a pipe or a device at
  // its place is refused at once (platform/ecriture.h).
  bool ordinaireSeulement = false;
};

class FichierReception {
 public:
  FichierReception() = default;
  ~FichierReception();
  FichierReception(const FichierReception&) = delete;
  FichierReception& operator=(const FichierReception&) = delete;

  // Opened at once, which changes nothing, so that a file that cannot be written is told before
  // the receiver is asked for anything (the window's file number 20); one that did not exist is
  // made, empty. A pipe (a FIFO) waits for its reader `attenteLecteur` at most; a signal that
  // stops the program ends the wait (Erreur::Genre::AttenteInterrompue).
  std::optional<Erreur> ouvrir(const FichierNomme& fichier,
                               std::chrono::milliseconds attenteLecteur = std::chrono::seconds(30));
  // The standard output: written once, at the end.
  void ouvrirSortieStandard();
  std::optional<Erreur> ecrire(std::string_view octets);
  // The download failed: the file is left as it was before ouvrir (one made by it is removed).
  std::optional<Erreur> abandonner();
  void fermer();
  bool ouvert() const { return ouvert_; }

 private:
  Erreur erreur(Erreur::Genre genre, int numero) const;

  FichierNomme fichier_;
  platform::Ecriture ecriture_;
  bool ouvert_ = false;
  bool sortieStandard_ = false;
};

}  // namespace zor::serie
