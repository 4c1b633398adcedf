#pragma once
// What the user does to a window, as its front end hands it over. Each form takes every kind
// through one entry (its `recevoir`): the front end only says what happened and where, the form
// decides which handler runs.
#include <span>
#include <string>
#include <utility>

#include "ihm/controle.h"

namespace zor {

struct Evenement {
  enum class Genre {
    Clic,              // a button or a menu entry: the mouse, Enter, Space or its access key
    ListeOuverte,      // a combo box's list drops down
    DoubleClic,        // on the window's background (a control keeps its own)
    Touche,            // Esc wherever the focus is; any other key only when no control has it
    DemandeFermeture,  // the close box or the system menu
    FichierDonne,      // a file dropped on the window, or named on the program's command line
  };

  Genre genre = Genre::Clic;
  const Controle* controle = nullptr;  // Clic, ListeOuverte
  int touche = 0;                      // Touche: the character's code (27: Esc)
  bool focusSurUnControle = false;     // Touche: a control of the window holds the focus
  std::string fichier{};               // FichierDonne: its path, UTF-8 (the bytes as they are off Windows)

  static Evenement clic(const Controle& c) { return {Genre::Clic, &c}; }
  static Evenement listeOuverte(const Controle& c) { return {Genre::ListeOuverte, &c}; }
  static Evenement doubleClic() { return {Genre::DoubleClic}; }
  static Evenement frappe(int code, bool focusSurUnControle) { return {Genre::Touche, nullptr, code, focusSurUnControle}; }
  static Evenement demandeFermeture() { return {Genre::DemandeFermeture}; }
  static Evenement fichierDonne(std::string chemin) { return {Genre::FichierDonne, nullptr, 0, false, std::move(chemin)}; }
};

inline constexpr int kToucheEchap = 27;

// The form's cancel button while it is shown (Esc clicks it), or none.
inline const Controle* boutonAnnulation(std::span<Controle* const> controles) {
  for (const Controle* c : controles)
    if (c->description().annulation && c->Visible()) return c;
  return nullptr;
}

}  // namespace zor
