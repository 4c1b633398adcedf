#pragma once
// The tooltips of a window's controls: one tooltip control for the window, one tool a control.
#include <string>

#include "platform/windows_leger.h"

namespace zor::win32 {

HWND creerInfobulles(HWND fenetre);
// `controle` shows `texte` (UTF-8) while the mouse rests on it.
void ajouterInfobulle(HWND infobulles, HWND fenetre, HWND controle, const std::string& texte);

}  // namespace zor::win32
