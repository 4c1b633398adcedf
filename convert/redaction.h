#pragma once
// What one conversion is asked to do, what it reports, and what the readers share during it:
// the record counter, the kind of point asked for, the writer every record goes to (sentences
// or GPX).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/lignes.h"
#include "convert/waypoint.h"

namespace zor::conversion {

struct FormatEntree;

// The option buttons: a map profile point or a plain waypoint for each record.
enum class Mode { Profil, Waypoint };

// How a line of a GPX file is fitted to the receiver (see convert/ajustement.h). Nothing set:
// a track gets kPointsTraceParDefaut points, a route goes whole.
struct Ajustement {
  long long points = 0;  // --points N: at most N points (N >= 2); 0: not asked
  double ecart = 0;      // --ecart M: no point farther than M metres from the kept line; 0: not asked
};

struct Demande {
  // The reader. With `selonContenu`, a file whose content says its format (GPX, Autoroute
  // Express) is read as such whatever `format` says; `format` then only serves files whose
  // content says nothing (text). nullptr and nothing recognised: nothing is read.
  const FormatEntree* format = nullptr;
  bool selonContenu = false;
  Mode mode = Mode::Profil;
  FinDeLigne finDeLigne = FinDeLigne::Cr;  // zor-cli --lf: a lone LF ends a line too
  // GPX: the line wanted (--ligne): its number, or its exact name; empty: the default choice.
  std::string ligne;
  Ajustement ajustement;
  bool listeSeulement = false;  // GPX --liste: the lines are described, nothing is written
  // The name a profile takes as a GPX route when the input has no line of its own (the input
  // file's name), UTF-8.
  std::string nomProfil;
};

// A route (<rte>) or a track (<trk>, its segments joined) of a GPX file.
struct LigneGpx {
  long long numero = 0;  // in file order from 1, routes and tracks counted together
  bool route = false;
  std::string nom;       // its <name>, UTF-8 (at most a few hundred bytes); may be empty
  long long points = 0;
  double longueur = 0;   // metres, along its points
};

// What fitting did to the line taken.
struct LigneAjustee {
  long long avant = 0, apres = 0;  // points read, points kept
  double ecart = 0;                // metres: the largest distance of a point read from the kept line
};

struct Rapport {
  const FormatEntree* format = nullptr;  // the format read; nullptr when nothing was read
  long long enregistrements = 0;         // records taken (the window's count)
  long long ignores = 0;                 // records the writer had to leave out (GPX output)
  long long pointsDeTrace = 0;           // GPX, waypoint mode without a line: track points not taken
  bool seulementLF = false;              // the input held LF line ends and no CR
  std::vector<LigneGpx> lignes;          // GPX: every line of the file
  std::optional<std::size_t> ligneRetenue;  // the index in `lignes` of the line written
  std::optional<LigneAjustee> ajustement;   // set when a line was written
  bool ligneIntrouvable = false;            // the line asked for is not in the file: nothing written
};

class Redaction {
 public:
  Redaction(Ecrivain& ecrivain, const Demande& demande, Rapport& rapport)
      : ecrivain_(ecrivain), demande_(demande), rapport_(rapport) {}

  Mode mode() const { return demande_.mode; }
  FinDeLigne finDeLigne() const { return demande_.finDeLigne; }
  const Demande& demande() const { return demande_; }
  Rapport& rapport() { return rapport_; }
  long long compteur() const { return rapport_.enregistrements; }
  // One more record taken; returns its number (1 for the first of the run).
  long long compter() { return ++rapport_.enregistrements; }

  void ecrire(const Waypoint& point) { ecrivain_.ecrire(point); }
  // A line copied unchanged (ZOR format), possibly in several pieces.
  void copier(std::string_view morceau) { ecrivain_.copier(morceau); }
  void finCopie() { ecrivain_.finCopie(); }

  Ecrivain& ecrivain() { return ecrivain_; }

 private:
  Ecrivain& ecrivain_;
  const Demande& demande_;
  Rapport& rapport_;
};

}  // namespace zor::conversion
