#pragma once
// "Ecrire dans GPS": every line of the interchange file that begins with "$" goes to the
// receiver with CR LF, followed by a 600 ms pause; nothing is read back. The same for the
// window and for zor-cli.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/lignes.h"
#include "core/erreur.h"
#include "core/horloge.h"
#include "serial/fichier_reception.h"
#include "serial/mscomm.h"
#include "serial/suivi.h"

namespace zor::serie {

inline constexpr std::chrono::milliseconds kPauseApresPhrase{600};
// No NMEA sentence comes near this: a longer line is no sentence, and it would keep the port
// busy for ever (a file of one line of a gigabyte takes 28 days at 4800 baud).
inline constexpr std::size_t kLigneMax = 4096;

struct Envoi {
  ChoixPort port;                  // applied to the control before it opens
  FichierNomme fichier;           // "-": the standard input
  std::function<bool()> interrompu;
  std::function<void()> veille;   // called all along the pauses (the window paints)
  conversion::FinDeLigne finDeLigne = conversion::FinDeLigne::Cr;  // zor-cli --lf: a lone LF too
  // A "$" line that is no $GPWPL sentence with a right checksum ($GPRMC, a wrong or missing
  // checksum) leaves like any other, as in the window; told about before it leaves. With
  // `strict` it is refused: a file sends nothing, the standard input stops before it.
  struct Douteuse {
    int ligne = 0;        // counted from 1
    std::string texte;    // its first bytes, as read
    std::string raison;   // in French
  };
  bool strict = false;
  // Told once, before the first sentence leaves, what a first look at the file found (a regular
  // file, not a stream): how many sentences, whether its line ends are LF alone, its doubtful lines.
  struct Apercu {
    int phrases = 0;
    bool seulementLF = false;
    std::vector<Douteuse> douteuses;  // the first kDouteusesGardees of them
    int nombreDouteuses = 0;
  };
  std::function<void(const Apercu&)> annonce;
  // From a stream (the standard input, a pipe), each doubtful line as it comes, before it leaves.
  std::function<void(const Douteuse&)> douteuse;
};

inline constexpr std::size_t kDouteusesGardees = 100;

// Why a "$" line (without its line end) is no $GPWPL sentence with a right checksum, in French;
// empty when it is one. The checksum's hex digits may be in either case.
std::string defautDePhrase(std::string_view ligne);

struct BilanEnvoi {
  int envoyees = 0;  // sentences the device took
  std::optional<Erreur> erreur;
  bool seulementLF = false;  // the text read held LF line ends and no CR
};

// Applies the port chosen, opens it, sends and closes it again. The file
// is read block by block as it goes: memory stays the same whatever its size. A regular file is
// first read through once: a line longer than kLigneMax refuses it before anything is sent,
// and so does a doubtful sentence with `strict`. A stream (the standard input, a pipe, a FIFO)
// is read once: such a line stops the upload before it leaves. On a failure the port is closed
// and the error says what happened; the interchange file is only read. An interruption ends the
// upload at once, in the middle of a pause and while the file waits (a FIFO, a silent pipe).
BilanEnvoi televerser(MSComm& port, Horloge& horloge, const Envoi& envoi, const Suivi& suivi);

// Whether the upload's file was refused before anything was read: it sent nothing.
bool fichierRefuse(const Erreur& e);

// What the user is told at the end of an upload (UTF-8, paragraphs apart): the failure worded by
// `description` (the window and zor-cli add the ports to a port's), then how many sentences
// left, naming the file they came from when the upload stopped on the way.
std::string resumer(const BilanEnvoi& bilan, const Envoi& envoi,
                    const std::function<std::string(const Erreur&)>& description = decrire);

// The refusal of line `ligne` of the upload's file, longer than kLigneMax.
Erreur ligneTropLongue(const Envoi& envoi, int ligne);

}  // namespace zor::serie
