#pragma once
// The input formats, each described once: its text in the window's type list (compared
// exactly), its name for zor-cli, its entry in the open dialog's filter, its reader.
#include <span>
#include <string>
#include <string_view>

#include "convert/redaction.h"
#include "convert/source.h"

namespace zor::conversion {

enum class TypeEntree { Zor, G7towin, AutorouteExpress, Aucun };

struct FormatEntree {
  TypeEntree type;
  std::string_view texteListe;   // "Format ZOR": the window's list, and accepted by zor-cli too
  std::string_view nomCli;       // "zor"
  std::string_view descriptionCli;
  std::string_view filtre;       // "description|pattern" of the open dialog
  bool filtreSeul;               // choosing this type narrows the dialog to its own entry
  long long (*lire)(Source&, Redaction&);
};

// In the order of the window's list.
std::span<const FormatEntree> formatsEntree();

// The format whose list text is exactly `texte` (case and blanks count); nullptr for any other.
const FormatEntree* formatSelonTexte(std::string_view texte);
// By the window's text or by zor-cli's name.
const FormatEntree* formatSelonNom(std::string_view nom);
const FormatEntree* formatDe(TypeEntree type);

// The open dialog's filter offering every format: "desc|pattern|desc|pattern|".
std::string filtreOuverture();

}  // namespace zor::conversion
