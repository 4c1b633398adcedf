#pragma once
// Everything the window asks of the user and of the system, handed to it when it is built: the
// real ones for the program, scripted ones for the tests. Nothing here is process-wide.
#include <QString>
#include <functional>
#include <optional>

#include "platform/common_dialog.h"
#include "platform/fin_programme.h"
#include "core/horloge.h"
#include "platform/lancement.h"
#include "platform/messages.h"
#include "serial/liaison.h"
#include "serial/peripherique.h"

namespace zor::app {

struct Services {
  // A message box and its answer; empty: the real boxes.
  platform::Repondeur messages;
  // The open-file dialog: the chosen path, or nothing for Cancel; empty: the real dialog.
  std::function<std::optional<QString>(const platform::DemandeOuverture&)> ouverture;
  // The pauses of the transfers and the time they measure silences with.
  Horloge* horloge = &horlogeReelle();
  // The device under each serial control.
  serie::OuvrirLiaison liaisonMSComm1 = serie::ouvertureReelle();
  serie::OuvrirLiaison liaisonMSComm2 = serie::ouvertureReelle();
  // The serial ports that exist, behind Comm1 to Comm4 when nothing else names their device.
  serie::DetectionPorts portsPresents = serie::portsPresents;
  // Starts the system-information program; empty: the real start.
  platform::Lanceur lancement;
  // Ends the program at once (every open file closed, no handler runs after it).
  std::function<void()> fin = [] { platform::terminerProgramme(); };
};

}  // namespace zor::app
