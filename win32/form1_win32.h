#pragma once
// The main window on Win32: one real control for each control of the model, each change the
// model makes mirrored at once, and the user's clicks, keys, double clicks and close requests
// handed to the model's handlers.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/form1.h"
#include "platform/windows_leger.h"
#include "win32/apropos_win32.h"
#include "win32/icones.h"
#include "win32/polices.h"

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
  HWND controle(const Controle& c) const;
  FrmAboutWin32* boiteAPropos() const { return apropos_.get(); }
  void montrer(int commande);
  int px(int twips) const { return pixels(twips, ppp_); }

 private:
  struct Natif {
    Controle* modele;
    HWND hwnd;
    HWND edition = nullptr;  // a combo box's edit field
    HWND liste = nullptr;    // a combo box's drop-down list
  };

  static LRESULT CALLBACK procedure(HWND w, UINT message, WPARAM wp, LPARAM lp);
  LRESULT traiter(HWND w, UINT message, WPARAM wp, LPARAM lp);
  void construire(Controle& c, int id);
  void empiler();
  void refleter(const Controle& c, Propriete p);
  void commande(int id, int notification);
  void cliquer(const Controle& c);
  void montrerAPropos(apropos::frmAbout& boite);
  bool focusSurUnControle() const;
  const Natif* natif(HWND w) const;
  HBRUSH pinceau(Couleur c);

  app::Form1& modele_;
  std::function<void()> fermee_;
  int ppp_;
  Polices polices_;
  Icones icones_;
  HWND hwnd_ = nullptr;
  HWND infobulles_ = nullptr;
  HWND proprietaireAPropos_ = nullptr;  // hidden: keeps the about box out of the task bar
  HWND focus_ = nullptr;
  std::vector<Natif> natifs_;  // in tab order
  std::map<std::uint32_t, HBRUSH> pinceaux_;
  std::unique_ptr<FrmAboutWin32> apropos_;
};

// The main window's class.
inline constexpr wchar_t kClasseForm1[] = L"ZorForm1";

}  // namespace zor::win32
