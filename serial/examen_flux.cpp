#include "serial/examen_flux.h"

#include <algorithm>
#include <array>

namespace zor::serie {
namespace {

// Printable ASCII, TAB, CR, LF. A name's accented letter counts against the text, which its
// few bytes in a record of 64 can afford.
bool texte(unsigned char c) { return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\r' || c == '\n'; }

// The sentences a receiver sends when it gives its position, its fix or its course rather than
// its waypoints, whatever the talker ($GP, $GN, $GL…).
constexpr std::array<std::string_view, 18> kTypesDePosition = {"GGA", "GLL", "GNS", "GSA", "GSV", "RMC",
                                                               "VTG", "ZDA", "GST", "GBS", "RMB", "RMA",
                                                               "BOD", "XTE", "APB", "DTM", "HDG", "HDT"};

bool majuscule(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

void ExamenFlux::ajouter(std::string_view octets) {
  for (const char c : octets) {
    if (verdict_) return;
    ++total_;
    if (!texte(static_cast<unsigned char>(c))) ++horsTexte_;
    if (c == '\r' || c == '\n') finDeLigne();
    else if (tete_.size() < 7) tete_.push_back(c);
    depuisCr_ = c == '\r' ? 0 : depuisCr_ + 1;
    if (total_ >= kEchantillonTexte && horsTexte_ * 4 > total_) verdict_ = Erreur::Genre::PasDuTexte;
    else if (positions_ >= kPhrasesDePositionMax) verdict_ = Erreur::Genre::PositionEnvoyee;
    else if (depuisCr_ >= kLigneRecueMax) verdict_ = Erreur::Genre::SansFinDeLigne;
  }
}

// "$" + talker + type + ",": the head is all it takes, a sentence cut by noise counts too.
void ExamenFlux::finDeLigne() {
  const std::string tete = std::move(tete_);
  tete_.clear();
  if (tete.size() < 7 || tete[0] != '$' || !majuscule(tete[1]) || !majuscule(tete[2]) || tete[6] != ',') return;
  if (std::find(kTypesDePosition.begin(), kTypesDePosition.end(), std::string_view(tete).substr(3, 3)) ==
      kTypesDePosition.end())
    return;
  ++positions_;
  const std::string nom = tete.substr(0, 6);
  if (phrases_.find(nom) == std::string::npos) phrases_ += (phrases_.empty() ? "" : ", ") + nom;
}

}  // namespace zor::serie
