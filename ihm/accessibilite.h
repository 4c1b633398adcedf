#pragma once
// What a screen reader is told of a control (its name, value and description), worked out once
// from the window's model for every front end: each renderer hands it to the system's
// accessibility (MSAA on Windows, AT-SPI through the toolkit on Linux). Captions and tooltips
// stay as they are; only what is read aloud is added.
#include <span>
#include <string>
#include <string_view>

#include "ihm/controle.h"

namespace zor {

struct Accessibilite {
  std::string nom;          // UTF-8
  std::string valeur;       // a list's text; empty for the others
  std::string description;  // what tells it apart, else its tooltip
};

// A caption as it is read: the "&" that marks an access key is no letter; "&&" is one "&".
inline std::string sansEperluette(std::string_view caption) {
  std::string lu;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == '&') continue;
    lu += caption[i];
  }
  return lu;
}

// The label whose caption names `c` now: of its labels that show, the last (where two overlap,
// the later one lies over the other), else the first.
inline const Controle* etiquetteQuiNomme(const Controle& c, std::span<Controle* const> fenetre) {
  const Controle *premiere = nullptr, *visible = nullptr;
  for (std::string_view nom : c.description().nommePar)
    for (const Controle* e : fenetre)
      if (e->nom() == nom) {
        if (premiere == nullptr) premiere = e;
        if (e->Visible()) visible = e;
      }
  return visible != nullptr ? visible : premiere;
}

// `fenetre`: every control of the window `c` belongs to. The echo label (a label that sizes
// itself to its caption) is named by the lines it shows, which only its renderer knows: its
// name is left empty here.
inline Accessibilite accessibilite(const Controle& c, std::span<Controle* const> fenetre) {
  const Description& d = c.description();
  Accessibilite a;
  if (const Controle* etiquette = etiquetteQuiNomme(c, fenetre)) {
    // A list is named by its label alone (its text is its value); a count by its label and
    // the count, so that whoever reads only names hears both.
    a.nom = etiquette->Caption();
    if (d.genre == Genre::Etiquette && c.Caption().find_first_not_of(' ') != std::string::npos)
      a.nom += " " + c.Caption();
  } else if (d.genre == Genre::Etiquette || d.genre == Genre::Liste || d.genre == Genre::Image) {
    if (!d.tailleAuTexte) a.nom = c.Caption();
  } else {
    a.nom = sansEperluette(c.Caption());
  }
  if (d.genre == Genre::Liste) a.valeur = c.Text();
  a.description = d.descriptionAccessible.empty() ? d.infobulle : d.descriptionAccessible;
  return a;
}

}  // namespace zor
