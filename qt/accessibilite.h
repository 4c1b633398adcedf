#pragma once
// What screen readers are told of the windows' widgets (AT-SPI on Linux, through the toolkit's
// accessibility): the names, values and descriptions the model gives (ihm/accessibilite.h).
#include <QWidget>

#include "ihm/accessibilite.h"

namespace zor::qt {

// Gives `widget` what is read of its control; the toolkit tells screen readers of each change.
// The echo label's name is the text it shows (qt/etiquette_fenetre.h), read when asked for.
void rendreAccessible(QWidget& widget, const Accessibilite& accessibilite);

}  // namespace zor::qt
