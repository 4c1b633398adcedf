#pragma once
// Message boxes of the program. Every box goes through MsgBox, so tests can answer them with a
// script and read back what the user would have been shown.
#include <QString>
#include <functional>

class QWidget;

namespace zor::platform {

enum class Boutons { Ok, OkCancel };
enum class Icone { Aucune, Question, Information, Avertissement, Critique };
enum class Reponse { Ok, Cancel };

struct DemandeMessage {
  QString texte;
  QString titre;
  Boutons boutons = Boutons::Ok;
  Icone icone = Icone::Aucune;
};

inline const QString kTitreApplication = QStringLiteral("ZOR");

// Shows a modal box and waits for the answer. Closing the box counts as Cancel (or Ok when
// Ok is the only button).
Reponse MsgBox(const QString& texte, Boutons boutons = Boutons::Ok, Icone icone = Icone::Aucune,
               const QString& titre = kTitreApplication);

// Replaces the real boxes (tests); an empty function puts them back.
void remplacerMessages(std::function<Reponse(const DemandeMessage&)> repondeur);

// The parent that real boxes are centred on.
void definirParentMessages(QWidget* parent);

}  // namespace zor::platform
