#pragma once
// The real message boxes: modal, centred on the window the user works in.
#include <QPointer>
#include <QWidget>

#include "ihm/message.h"

namespace zor::qt {

Reponse afficherMessage(const DemandeMessage& demande, QWidget* parent = nullptr);

// The text of a box: a path or a device name never breaks inside itself at the end of a line
// ("/dev/ pts/1"); the words around it break as usual.
QString texteDeBoite(const std::string& utf8);

}  // namespace zor::qt
