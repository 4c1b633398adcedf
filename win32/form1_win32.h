#pragma once
// The main window on Win32: the window itself (title, icon, green client area, menu bar) with
// the system's controls for its controls (win32/rendu.h), each change the model makes mirrored at
// once, and what the user does handed to the model's one entry. It is laid out at the resolution
// of the screen it is on, and again when it moves to one of another resolution.
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "platform/windows_leger.h"
#include "win32/apropos_win32.h"
#include "win32/icones.h"
#include "win32/polices.h"
#include "win32/rendu.h"

namespace zor::win32 {

class Form1Win32 {
 public:
  // `fermee`: called once the window is gone (the about box may still be open).
  Form1Win32(app::Form1& modele, std::function<void()> fermee);
  ~Form1Win32();
  Form1Win32(const Form1Win32&) = delete;
  Form1Win32& operator=(const Form1Win32&) = delete;

  app::Form1& modele() { return modele_; }
  HWND hwnd() const { return hwnd_; }
  HWND controle(const Controle& c) const { return rendu_ ? rendu_->controle(c) : nullptr; }
  FrmAboutWin32* boiteAPropos() const { return apropos_.get(); }
  void montrer(int commande);
  int px(int twips) const { return pixels(twips, ppp_); }
  // The window laid out at the resolution of the screen it is on (WM_DPICHANGED): its client
  // area and every control from their twips, their fonts and pictures. `place`: the frame the
  // system proposes (its top-left corner is kept), none: where it is.
  void changerResolution(int pointsParPouce, const RECT* place = nullptr);

 private:
  static LRESULT CALLBACK procedure(HWND w, UINT message, WPARAM wp, LPARAM lp);
  LRESULT traiter(HWND w, UINT message, WPARAM wp, LPARAM lp);
  bool envoyer(const Evenement& evenement) { return modele_.recevoir(evenement); }
  void montrerAPropos(apropos::frmAbout& boite);

  app::Form1& modele_;
  std::function<void()> fermee_;
  int ppp_;
  Polices polices_;
  Icones icones_;
  HWND hwnd_ = nullptr;
  HWND proprietaireAPropos_ = nullptr;  // hidden: keeps the about box out of the task bar
  std::optional<Rendu> rendu_;
  std::vector<std::pair<int, const Controle*>> menus_;  // command identifier, menu entry
  std::unique_ptr<FrmAboutWin32> apropos_;
};

// The main window's class.
inline constexpr wchar_t kClasseForm1[] = L"ZorForm1";

}  // namespace zor::win32
