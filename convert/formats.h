#pragma once
// The input formats, each described once with every fact that depends on it: its text in the
// window's type list (compared exactly), its name for zor-cli, its entry in the open dialog's
// filter, whether it is text read line by line (then the line-end rule and the LF warning
// apply, and only --type can tell it: nothing in a text file says which program wrote it),
// whether its content says what it is, how a record left out is worded, and its reader. A
// format is known by its entry in this table. The window offers the first three only; GPX is
// zor-cli's (and a file given to the window). And the output formats: the interchange file's
// sentences, or GPX.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "convert/redaction.h"
#include "convert/sortie.h"
#include "convert/source.h"
#include "convert/waypoint.h"

namespace zor::conversion {

struct FormatEntree {
  std::string_view texteListe;   // "Format ZOR": the window's list, and accepted by zor-cli too;
                                 // empty for a format the window does not offer
  std::string_view nomCli;       // "zor"
  std::string_view descriptionCli;
  std::string_view filtre;       // "description|pattern" of the open dialog
  bool filtreSeul;               // choosing this type narrows the dialog to its own entry
  bool texte;                    // read line by line: CR LF or CR end a line (a lone LF too with --lf)
  // How a record the GPX writer leaves out is told: "ligne « $ » ignorée", its plural, why.
  std::string_view ignoreUn, ignorePlusieurs, raisonIgnore;
  // Whether the bytes at the start of a file are this format's (nullptr: its content cannot
  // tell). `debut` holds at least the file's first block, or the whole file when shorter.
  bool (*reconnaitre)(std::string_view debut);
  void (*lire)(Source&, Redaction&);
};

// The window's three, in the order of its list.
std::span<const FormatEntree> formatsEntree();
// Every format zor-cli reads: the window's three, then GPX.
std::span<const FormatEntree> formatsCli();

// The window's format whose list text is exactly `texte` (case and blanks count); nullptr for
// any other.
const FormatEntree* formatSelonTexte(std::string_view texte);
// By the window's text or by zor-cli's name.
const FormatEntree* formatSelonNom(std::string_view nom);

// The open dialog's filter offering the window's formats: "desc|pattern|desc|pattern|".
std::string filtreOuverture();

enum class TypeSortie { Phrases, Gpx };

struct FormatSortie {
  TypeSortie type;
  std::string_view nomCli;  // "sentences", "gpx"
  std::string_view descriptionCli;
  std::unique_ptr<Ecrivain> (*creer)(Sortie&);
};

std::span<const FormatSortie> formatsSortie();
const FormatSortie* formatSortieSelonNom(std::string_view nom);

}  // namespace zor::conversion
