#pragma once
// "Lire du GPS" from beginning to end, the same for the window and for zor-cli: open the
// download file, receive, write the collected text or put the earlier content back, close the
// port and the file, and say what went wrong. The window keeps its confirmation box and its
// widget changes; zor-cli its options and its printing.
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
  // The window empties "c:\zor.txt" when the user confirms; zor-cli leaves its file as it was
  // until the collected text replaces it.
  FichierReception::Vidage vidage = FichierReception::Vidage::Immediat;
  OptionsReception reception;
  // Once the file is open, before the port is: the window shows the download's layout.
  std::function<void()> avantReception;
  std::function<void()> veille;  // called along every wait and pause (the window paints)
};

struct BilanTelechargement {
  int stockes = 0;
  bool fichierOuvert = false;          // false: nothing else was done
  bool ecrit = false;                  // the download file holds the collected text
  bool recuQuelqueChose = false;       // at least one read was stored
  bool ancienIntact = false;           // not written: the file holds what it held before
  std::optional<Erreur> erreur;        // of the reception: port, silence, bound, interruption
  std::optional<Erreur> erreurFichier; // of the download file
  std::filesystem::path secours;       // where the collected text went when the file refused it
};

BilanTelechargement telecharger(MSComm& port, Horloge& horloge, const Telechargement& demande, const Suivi& suivi);

// What the user is told when something went wrong (UTF-8, paragraphs apart); empty when the
// download went well.
// `description` words each failure (the window and zor-cli add the ports to a port's).
std::string resumer(const BilanTelechargement& bilan, const Telechargement& demande,
                    const std::function<std::string(const Erreur&)>& description = decrire);

}  // namespace zor::serie
