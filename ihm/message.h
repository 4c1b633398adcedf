#pragma once
// A message box as the program asks for it. Every box goes through one function handed in by
// the front end (its real boxes) or by a test (a script that answers and records).
#include <functional>
#include <string>
#include <string_view>

namespace zor {

enum class Boutons { Ok, OkCancel };
enum class Icone { Aucune, Question, Information, Avertissement, Critique };
enum class Reponse { Ok, Cancel };

// A box without a title of its own shows the application's.
inline constexpr std::string_view kTitreApplication = "ZOR";

struct DemandeMessage {
  std::string texte;  // UTF-8
  std::string titre = std::string(kTitreApplication);
  Boutons boutons = Boutons::Ok;
  Icone icone = Icone::Aucune;
};

// Shows the box modal and waits for the answer. Closing the box counts as Cancel (or Ok when
// Ok is the only button).
using Repondeur = std::function<Reponse(const DemandeMessage&)>;

}  // namespace zor
