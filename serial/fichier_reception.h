#pragma once
// The download file. The window and zor-cli leave it untouched until the end (Vidage::ALaFin);
// emptied at once instead (Vidage::Immediat), it keeps what it held in memory, to put it back if
// nothing is received.
// The collected text is written beside it and then takes its name, so the file holds either
// what it held before or the whole new text, never a part; pipes, terminals and devices are
// written as they are.
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
  enum class Vidage { Immediat, ALaFin };

  FichierReception() = default;
  ~FichierReception();
  FichierReception(const FichierReception&) = delete;
  FichierReception& operator=(const FichierReception&) = delete;

  // A pipe (a FIFO) waits for its reader `attenteLecteur` at most.
  std::optional<Erreur> ouvrir(const FichierNomme& fichier, Vidage vidage,
                               std::chrono::milliseconds attenteLecteur = std::chrono::seconds(30));
  // The standard output: written once, at the end.
  void ouvrirSortieStandard();
  std::optional<Erreur> ecrire(std::string_view octets);
  // Back to what the file held before ouvrir; a file that did not exist is removed again.
  std::optional<Erreur> remettreAncienContenu();
  void fermer();
  bool ouvert() const { return ouvert_; }

 private:
  Erreur erreur(Erreur::Genre genre, int numero) const;

  FichierNomme fichier_;
  std::FILE* vide_ = nullptr;            // the emptied file, held open (the window's file number 20)
  std::optional<std::string> ancien_;    // what an emptied regular file held
  bool ouvert_ = false;
  bool sortieStandard_ = false;
  bool existait_ = false;
  bool special_ = false;  // a pipe, a terminal, a device: nothing to keep or put back
  bool videe_ = false;   // its old content is gone
};

}  // namespace zor::serie
