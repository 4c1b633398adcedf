#pragma once
// The input formats, each described once: its text in the window's type list (compared
// exactly), its name for zor-cli, its entry in the open dialog's filter, its reader. The
// window offers the first three only; GPX is zor-cli's. And the output formats: the
// interchange file's sentences, or GPX.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "convert/redaction.h"
#include "convert/sortie.h"
#include "convert/source.h"
#include "convert/waypoint.h"

namespace zor::conversion {

enum class TypeEntree { Zor, G7towin, AutorouteExpress, Gpx, Aucun };

struct FormatEntree {
  TypeEntree type;
  std::string_view texteListe;   // "Format ZOR": the window's list, and accepted by zor-cli too;
                                 // empty for a format the window does not offer
  std::string_view nomCli;       // "zor"
  std::string_view descriptionCli;
  std::string_view filtre;       // "description|pattern" of the open dialog
  bool filtreSeul;               // choosing this type narrows the dialog to its own entry
  long long (*lire)(Source&, Redaction&);
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
const FormatEntree* formatDe(TypeEntree type);

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
