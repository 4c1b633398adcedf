#pragma once
// The download file. It keeps what it held until the download ends as it should: only then
// does the collected text replace it, written beside it and then taking its name, so that it
// holds either what it held before or the whole new text, never a part. Pipes, terminals and
// devices are written as they are.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/erreur.h"

namespace zor::serie {

struct FichierNomme {
  std::filesystem::path chemin;  // on this system
  std::string nom;               // as the program names it ("c:\$_t_e_m_p", "c:\zor.txt")
};

class FichierReception {
 public:
  FichierReception() = default;
  ~FichierReception();
  FichierReception(const FichierReception&) = delete;
  FichierReception& operator=(const FichierReception&) = delete;

  // Opened for appending, which changes nothing, so that a file that cannot be written is told
  // before the receiver is asked for anything (the window's file number 20); one that did not
  // exist is made, empty. A pipe (a FIFO) waits for its reader `attenteLecteur` at most.
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
  std::FILE* flux_ = nullptr;  // held open from ouvrir on
  bool ouvert_ = false;
  bool sortieStandard_ = false;
  bool existait_ = false;
  bool special_ = false;  // a pipe, a terminal, a device: nothing to replace or remove
};

}  // namespace zor::serie
