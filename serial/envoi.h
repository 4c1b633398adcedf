#pragma once
// The upload: every line of the interchange file that begins with "$" goes to the receiver
// with CR LF, followed by a 600 ms pause; nothing is read back.
#include <filesystem>
#include <optional>
#include <string>

#include "serial/affichage.h"
#include "serial/panne.h"
#include "serial/port.h"

namespace zor::serie {

inline constexpr unsigned long kPauseApresPhrase = 600;  // ms

struct FichierNomme {
  std::filesystem::path chemin;  // on this system
  std::string nom;               // as the program names it ("c:\$_t_e_m_p")
};

struct BilanEnvoi {
  int envoyees = 0;  // sentences the device took
  std::optional<Panne> panne;
};

// From opening the port to closing it again, in the order the receiver expects. On a failure
// the port is closed and the panne says what happened; the interchange file is only read.
BilanEnvoi envoyer(Port& port, const FichierNomme& fichier, const Affichage& affichage);

// The whole file as bytes, or the panne that stopped reading it.
std::optional<std::string> lireFichier(const FichierNomme& fichier, Panne& panne);

}  // namespace zor::serie
