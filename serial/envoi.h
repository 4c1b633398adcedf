#pragma once
// "Ecrire dans GPS": every line of the interchange file that begins with "$" goes to the
// receiver with CR LF, followed by a 600 ms pause; nothing is read back. The same for the
// window and for zor-cli.
#include <chrono>
#include <functional>
#include <optional>

#include "core/erreur.h"
#include "core/horloge.h"
#include "serial/fichier_reception.h"
#include "serial/mscomm.h"
#include "serial/suivi.h"

namespace zor::serie {

inline constexpr std::chrono::milliseconds kPauseApresPhrase{600};

struct Envoi {
  std::optional<int> numeroPort;  // the port chosen in the list, if any
  FichierNomme fichier;           // "-": the standard input
  std::function<bool()> interrompu;
  std::function<void()> veille;   // called all along the pauses (the window paints)
};

struct BilanEnvoi {
  int envoyees = 0;  // sentences the device took
  std::optional<Erreur> erreur;
};

// Sets the line (4800 baud, 8N2) and the port, opens it, sends and closes it again. The file
// is read block by block as it goes: memory stays the same whatever its size. On a failure the
// port is closed and the error says what happened; the interchange file is only read.
BilanEnvoi televerser(MSComm& port, Horloge& horloge, const Envoi& envoi, const Suivi& suivi);

}  // namespace zor::serie
