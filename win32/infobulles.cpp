#include "win32/infobulles.h"

#include <commctrl.h>

#include "win32/texte.h"

namespace zor::win32 {

HWND creerInfobulles(HWND fenetre) {
  HWND infobulles = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, fenetre, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  // A long tooltip wraps instead of running off the screen.
  if (infobulles != nullptr) SendMessageW(infobulles, TTM_SETMAXTIPWIDTH, 0, 400);
  return infobulles;
}

void ajouterInfobulle(HWND infobulles, HWND fenetre, HWND controle, const std::string& texte) {
  if (infobulles == nullptr || controle == nullptr || texte.empty()) return;
  std::wstring t = large(texte);
  TOOLINFOW outil{};
  // The size the oldest tooltip control takes as well.
  outil.cbSize = TTTOOLINFOW_V2_SIZE;
  outil.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  outil.hwnd = fenetre;
  outil.uId = reinterpret_cast<UINT_PTR>(controle);
  outil.lpszText = t.data();  // copied by the tooltip control
  SendMessageW(infobulles, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&outil));
}

}  // namespace zor::win32
