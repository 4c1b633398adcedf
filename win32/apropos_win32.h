#pragma once
// The about box on Win32: a fixed dialog frame at its fixed place on the screen, kept out of
// the task bar by a hidden owner (the main window is not its owner: it outlives it), the system's
// controls for its controls (win32/rendu.h) and the etched separator; what the user does goes to
// the model's one entry.
#include <functional>
#include <optional>

#include "about/frmabout.h"
#include "platform/windows_leger.h"
#include "win32/icones.h"
#include "win32/polices.h"
#include "win32/rendu.h"

namespace zor::win32 {

class FrmAboutWin32 {
 public:
  // `proprietaire`: a window never shown. `ferme`: called once the box's window is gone.
  FrmAboutWin32(apropos::frmAbout& modele, HWND proprietaire, Polices& polices, Icones& icones,
                std::function<void()> ferme);
  ~FrmAboutWin32();
  FrmAboutWin32(const FrmAboutWin32&) = delete;
  FrmAboutWin32& operator=(const FrmAboutWin32&) = delete;

  apropos::frmAbout& modele() { return modele_; }
  HWND hwnd() const { return hwnd_; }
  HWND controle(const Controle& c) const { return rendu_ ? rendu_->controle(c) : nullptr; }
  // Shows it, or brings it to the front.
  void afficher();
  // Laid out again at another resolution (WM_DPICHANGED); `place`: the frame the system
  // proposes (its top-left corner is kept), none: where it is.
  void changerResolution(int pointsParPouce, const RECT* place);

 private:
  static LRESULT CALLBACK procedure(HWND w, UINT message, WPARAM wp, LPARAM lp);
  LRESULT traiter(HWND w, UINT message, WPARAM wp, LPARAM lp);
  bool envoyer(const Evenement& evenement) { return modele_.recevoir(evenement); }
  void peindreSeparateur(HDC dc);
  int px(int twips) const { return pixels(twips, ppp_); }

  apropos::frmAbout& modele_;
  Polices& polices_;
  Icones& icones_;
  std::function<void()> ferme_;
  int ppp_;
  HWND hwnd_ = nullptr;
  std::optional<Rendu> rendu_;
};

// The about box's window class.
inline constexpr wchar_t kClasseAPropos[] = L"ZorFrmAbout";

}  // namespace zor::win32
