#include "convert/formats.h"

#include <array>

#include "convert/lecteur_axe.h"
#include "convert/lecteurs_texte.h"

namespace zor::conversion {
namespace {

constexpr std::array<FormatEntree, 3> kFormats{{
    {TypeEntree::Zor, "Format ZOR", "zor", "lignes « $ » du GPS recopiées telles quelles",
     "g7towin ou ZOR (*.txt)|*.txt", false, lireZor},
    {TypeEntree::G7towin, "G7towin", "g7towin", "lignes « W » de G7towin découpées en colonnes",
     "g7towin ou ZOR (*.txt)|*.txt", false, lireG7towin},
    {TypeEntree::AutorouteExpress, "Autoroute Express 2001", "axe", "fichier binaire *.axe d'Autoroute Express 2001",
     "Autoroute Express (*.axe)|*.axe", true, lireAutorouteExpress},
}};

}  // namespace

std::span<const FormatEntree> formatsEntree() { return kFormats; }

const FormatEntree* formatSelonTexte(std::string_view texte) {
  for (const FormatEntree& f : kFormats)
    if (f.texteListe == texte) return &f;
  return nullptr;
}

const FormatEntree* formatSelonNom(std::string_view nom) {
  for (const FormatEntree& f : kFormats)
    if (f.nomCli == nom) return &f;
  return formatSelonTexte(nom);
}

const FormatEntree* formatDe(TypeEntree type) {
  for (const FormatEntree& f : kFormats)
    if (f.type == type) return &f;
  return nullptr;
}

std::string filtreOuverture() {
  // Formats that share an entry (the two text formats) show it once, in the list's order.
  std::string filtre;
  for (std::size_t i = 0; i < kFormats.size(); ++i) {
    bool dejaVu = false;
    for (std::size_t j = 0; j < i; ++j) dejaVu = dejaVu || kFormats[j].filtre == kFormats[i].filtre;
    if (dejaVu) continue;
    filtre.append(kFormats[i].filtre);
    filtre.push_back('|');
  }
  return filtre;
}

}  // namespace zor::conversion
