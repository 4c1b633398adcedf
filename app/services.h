#pragma once
// Everything the window asks of the user, of the system and of its front end, handed to it
// when it is built: the real ones for the program, scripted ones for the tests. Nothing here is
// process-wide.
#include <functional>
#include <string>

#include "about/lancement.h"
#include "app/common_dialog.h"
#include "core/horloge.h"
#include "ihm/message.h"
#include "serial/liaison.h"
#include "serial/peripherique.h"

namespace zor::app {

struct Services {
  // Message boxes and their answers.
  Repondeur messages;
  // The open-file dialog.
  DialogueOuverture ouverture;
  // The pauses of the transfers and the time they measure silences with.
  Horloge* horloge = &horlogeReelle();
  // The device under each serial control: the front end hands in the machine's real ones.
  serie::OuvrirLiaison liaisonMSComm1;
  serie::OuvrirLiaison liaisonMSComm2;
  // The serial ports that exist, behind Comm1 to Comm4 when nothing else names their device.
  serie::DetectionPorts portsPresents;
  // Starts the system-information program; empty: the real start.
  apropos::Lanceur lancement;
  // Ends the program with this exit code: the front end's event loop stops, so that `main`
  // returns it and every window, device and file goes with its owner. The window runs no
  // handler after asking it.
  std::function<void(int code)> fin;
  // While a transfer runs inside a click handler the window takes no click or key, but keeps
  // its face: `veiller` lets it answer the desktop and paint what asks for it, `peindre` shows
  // at once what the handler just changed.
  std::function<void()> veiller;
  std::function<void()> peindre;
  // Runs a function once the event loop runs again.
  std::function<void(std::function<void()>)> plusTard;
  // Closes the window as its close box does (a close request held during a transfer).
  std::function<void()> fermer;
  // The system asks the program to end (SIGINT, SIGTERM, SIGHUP): the signal, 0 while none came.
  // A transfer stops at it as zor-cli's does (the receiver told to stop, the port closed, what
  // came kept); `messageSurSignal` is handed what a box would have said, for no box is shown to
  // a program asked to end, and the program ends through `fin` with 128 + the signal's number.
  std::function<int()> signalRecu;
  std::function<void(const std::string&)> messageSurSignal;
};

}  // namespace zor::app
