#pragma once
// "Lire du GPS" from beginning to end, the same for the window and for zor-cli: check the
// download file, receive, and only when the download ends as it should (the second record come
// round) write the collected text over the file; any other ending leaves the file as it was and
// keeps what was received in a file of its own. Then close the port and the file, and say what
// went wrong. The window keeps its confirmation box and its widget changes; zor-cli its
// options and its printing.
#include <functional>
#include <optional>
#include <string>

#include "core/erreur.h"
#include "core/horloge.h"
#include "serial/fichier_reception.h"
#include "serial/mscomm.h"
#include "serial/suivi.h"
#include "serial/reception.h"

namespace zor::serie {

struct Telechargement {
  FichierNomme fichier;
  bool sortieStandard = false;  // zor-cli without -o: the text goes to the standard output
  OptionsReception reception;
  // Once the file is open, before the port is: the window shows the download's layout.
  std::function<void()> avantReception;
  std::function<void()> veille;  // called along every wait and pause (the window paints)
};

struct BilanTelechargement {
  int stockes = 0;                     // reads stored
  bool fichierOuvert = false;          // false: nothing else was done
  bool ecrit = false;                  // the download file (or the standard output) holds the collected text
  std::optional<Erreur> erreur;        // of the reception: port, silence, bound, interruption, stream
  std::optional<Erreur> erreurFichier; // of the download file
  // What the download file did not take: on a failed reception, everything received after the
  // first CR; when the file refused the collected text, that text. Where it was kept (readable by
  // the user alone), or why it could not be.
  std::filesystem::path secours;
  int numeroSecours = 0;
  std::size_t octetsGardes = 0;        // its bytes
  int lignesGardees = 0;               // its lines
  std::size_t avantFinDeLigne = 0;     // bytes up to the first CR, which a download drops
  bool finDeLigne = false;             // the first CR came
};
BilanTelechargement telecharger(MSComm& port, Horloge& horloge, const Telechargement& demande, const Suivi& suivi);

// What the user is told when something went wrong (UTF-8, paragraphs apart); empty when the
// download went well.
// `description` words each failure (the window and zor-cli add the ports to a port's).
std::string resumer(const BilanTelechargement& bilan, const Telechargement& demande,
                    const std::function<std::string(const Erreur&)>& description = decrire);

}  // namespace zor::serie
