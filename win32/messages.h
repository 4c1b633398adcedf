#pragma once
// The program's message boxes: the system's own (MessageBoxW), whose buttons read in the
// system's language, modal to the window the user is working in.
#include "ihm/message.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

Reponse afficherMessage(const DemandeMessage& demande, HWND proprietaire);

}  // namespace zor::win32
