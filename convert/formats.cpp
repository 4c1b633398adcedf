#include "convert/formats.h"

#include <array>

#include "convert/ecrivain_gpx.h"
#include "convert/ecrivain_phrases.h"
#include "convert/lecteur_axe.h"
#include "convert/lecteur_gpx.h"
#include "convert/lecteurs_texte.h"

namespace zor::conversion {
namespace {

constexpr std::string_view kEnregistrementIgnore = "enregistrement ignoré";
constexpr std::string_view kEnregistrementsIgnores = "enregistrements ignorés";
constexpr std::string_view kPasUnePosition = "coordonnées qui ne forment pas une position valable.";

constexpr std::array<FormatEntree, 4> kFormats{{
    {"Format ZOR", "zor", "lignes « $ » du GPS recopiées telles quelles", "g7towin ou ZOR (*.txt)|*.txt", false, true,
     "ligne « $ » ignorée", "lignes « $ » ignorées",
     "pas une phrase $GPWPL bien formée, à la bonne somme de contrôle et à la position valable.", nullptr, lireZor},
    {"G7towin", "g7towin", "lignes « W » de G7towin découpées en colonnes", "g7towin ou ZOR (*.txt)|*.txt", false, true,
     kEnregistrementIgnore, kEnregistrementsIgnores, kPasUnePosition, nullptr, lireG7towin},
    {"Autoroute Express 2001", "axe", "fichier binaire *.axe d'Autoroute Express 2001", "Autoroute Express (*.axe)|*.axe",
     true, false, kEnregistrementIgnore, kEnregistrementsIgnores, kPasUnePosition, estAutorouteExpress,
     lireAutorouteExpress},
    {"", "gpx", "GPX 1.0 ou 1.1 : <wpt>, <rte> et <trk>", "GPX (*.gpx)|*.gpx", true, false, kEnregistrementIgnore,
     kEnregistrementsIgnores, kPasUnePosition, estGpx, lireGpx},
}};
constexpr std::size_t kFormatsFenetre = 3;
static_assert(kFormats[0].texteListe == "Format ZOR" && kFormats[1].texteListe == "G7towin" &&
                  kFormats[2].texteListe == "Autoroute Express 2001" && kFormats[3].texteListe.empty(),
              "the window's list holds exactly the first three formats");

std::unique_ptr<Ecrivain> creerPhrases(Sortie& sortie) { return std::make_unique<EcrivainPhrases>(sortie); }
std::unique_ptr<Ecrivain> creerGpx(Sortie& sortie) { return std::make_unique<EcrivainGpx>(sortie); }

const std::array<FormatSortie, 2> kSorties{{
    {TypeSortie::Phrases, "sentences", "phrases $GPWPL du fichier d'échange (par défaut)", creerPhrases},
    {TypeSortie::Gpx, "gpx", "GPX 1.1 en UTF-8, pour une carte ou un autre programme", creerGpx},
}};

}  // namespace

std::span<const FormatEntree> formatsEntree() { return std::span(kFormats).first(kFormatsFenetre); }
std::span<const FormatEntree> formatsCli() { return kFormats; }

const FormatEntree* formatSelonTexte(std::string_view texte) {
  for (const FormatEntree& f : formatsEntree())
    if (f.texteListe == texte) return &f;
  return nullptr;
}

std::span<const FormatSortie> formatsSortie() { return kSorties; }

const FormatSortie* formatSortieSelonNom(std::string_view nom) {
  for (const FormatSortie& f : kSorties)
    if (f.nomCli == nom) return &f;
  return nullptr;
}

const FormatEntree* formatSelonNom(std::string_view nom) {
  for (const FormatEntree& f : kFormats)
    if (f.nomCli == nom) return &f;
  return formatSelonTexte(nom);
}

std::string filtreOuverture() {
  // Formats that share an entry (the two text formats) show it once, in the list's order.
  std::string filtre;
  for (std::size_t i = 0; i < kFormatsFenetre; ++i) {
    bool dejaVu = false;
    for (std::size_t j = 0; j < i; ++j) dejaVu = dejaVu || kFormats[j].filtre == kFormats[i].filtre;
    if (dejaVu) continue;
    filtre.append(kFormats[i].filtre);
    filtre.push_back('|');
  }
  return filtre;
}

}  // namespace zor::conversion
