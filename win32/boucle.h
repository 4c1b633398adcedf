#pragma once
// The program's event loop: keys go through the dialog manager of the window they are for
// (Tab, Esc, Enter, access keys), functions run later from the loop, and during a transfer the
// windows paint and answer the system without taking any click or key (only close requests).
#include <deque>
#include <functional>

#include "platform/windows_leger.h"

namespace zor::win32 {

class Boucle {
 public:
  Boucle();
  ~Boucle();
  Boucle(const Boucle&) = delete;
  Boucle& operator=(const Boucle&) = delete;

  // Runs until the last window is gone (PostQuitMessage); gives the exit code.
  int executer();
  // Runs `f` once the loop (or a modal box's loop) takes messages again.
  void plusTard(std::function<void()> f);
  // While a transfer runs inside a click handler: handles what the system sends or posts (paint
  // requests among them), except the functions waiting to run later; clicks and keys meanwhile
  // are dropped, not kept for afterwards, but a close request (the close box clicked, Alt+F4)
  // goes to its window, whose model holds it until the transfer is over.
  static void veiller();
  // The same, once every window has painted what the handler just changed.
  static void peindre();

 private:
  static LRESULT CALLBACK procedure(HWND w, UINT message, WPARAM wp, LPARAM lp);
  HWND messagerie_ = nullptr;  // a message-only window: the later functions are posted to it
  std::deque<std::function<void()>> enAttente_;
};

// The message that wakes the later functions; never handled while a transfer paints.
inline constexpr UINT kMessagePlusTard = WM_APP + 1;

}  // namespace zor::win32
