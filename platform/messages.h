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

// Shows a real modal box and waits for the answer. Closing the box counts as Cancel (or Ok
// when Ok is the only button).
Reponse afficherMessage(const DemandeMessage& demande);

// The box as the program asks for it, shown by `repondeur` (the real boxes by default).
using Repondeur = std::function<Reponse(const DemandeMessage&)>;
Reponse MsgBox(const Repondeur& repondeur, const QString& texte, Boutons boutons = Boutons::Ok,
               Icone icone = Icone::Aucune, const QString& titre = kTitreApplication);

// The parent that real boxes are centred on.
void definirParentMessages(QWidget* parent);

}  // namespace zor::platform
