#pragma once
// The toolkit's own texts (standard buttons, the open dialog, the edit fields' context menu)
// in the user's language, French when the toolkit has no translation for it: the program
// itself speaks French.
#include <QLocale>

namespace zor::qt {

// Replaces the translation an earlier call installed. False when no translation was found
// (the toolkit then shows its English texts).
bool installerTraductions(const QLocale& langue = QLocale::system());

}  // namespace zor::qt
