#pragma once
// The real message boxes: modal, centred on the window the user works in.
#include <QPointer>
#include <QWidget>

#include "core/message.h"

namespace zor::qt {

Reponse afficherMessage(const DemandeMessage& demande, QWidget* parent = nullptr);

}  // namespace zor::qt
