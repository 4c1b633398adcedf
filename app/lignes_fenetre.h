#pragma once
// `fenetre` grows with every sentence of every run and every record received: its caption can
// hold a hundred thousand lines. It is sized and painted here, cheaply, instead of by the label.
#include <QString>

class QLabel;

namespace zor::app {

// Sets the caption, sizes the label to it and paints only the lines in view from then on.
void definirTexteFenetre(QLabel* etiquette, const QString& texte);

}  // namespace zor::app
