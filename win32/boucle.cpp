#include "win32/boucle.h"

namespace zor::win32 {
namespace {

constexpr wchar_t kClasse[] = L"ZorBoucle";

bool estSaisie(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_INPUT ||
         message == WM_NCMOUSEHOVER || message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER ||
         message == WM_MOUSELEAVE;
}

// The close box released, or Alt+F4: the window's close request, as the system would make it
// (the system's own handling of the click would hold the transfer while the button is down).
bool demandeFermeture(const MSG& m) {
  return (m.message == WM_NCLBUTTONUP && m.wParam == HTCLOSE) ||
         (m.message == WM_SYSKEYDOWN && m.wParam == VK_F4 && (m.lParam & (1 << 29)) != 0);
}

// One waiting message in [min, max], handled unless it is input; false when there is none.
bool traiterUn(UINT min, UINT max) {
  MSG m;
  if (!PeekMessageW(&m, nullptr, min, max, PM_REMOVE)) return false;
  if (m.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(m.wParam));
    return false;
  }
  if (!estSaisie(m.message)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  } else if (demandeFermeture(m) && m.hwnd != nullptr) {
    SendMessageW(GetAncestor(m.hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  return true;
}

}  // namespace

Boucle::Boucle() {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = procedure;
  c.hInstance = GetModuleHandleW(nullptr);
  c.lpszClassName = kClasse;
  RegisterClassExW(&c);
  messagerie_ = CreateWindowExW(0, kClasse, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, c.hInstance, this);
}

Boucle::~Boucle() {
  if (messagerie_ != nullptr) DestroyWindow(messagerie_);
}

LRESULT CALLBACK Boucle::procedure(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* boucle = reinterpret_cast<Boucle*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (message == kMessagePlusTard && boucle != nullptr && !boucle->enAttente_.empty()) {
    std::function<void()> f = std::move(boucle->enAttente_.front());
    boucle->enAttente_.pop_front();
    f();
    return 0;
  }
  return DefWindowProcW(w, message, wp, lp);
}

void Boucle::plusTard(std::function<void()> f) {
  enAttente_.push_back(std::move(f));
  PostMessageW(messagerie_, kMessagePlusTard, 0, 0);
}

int Boucle::executer() {
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    // Tab, Esc, Enter and the access keys, for the window (main window or about box) the
    // message is for.
    HWND racine = m.hwnd != nullptr ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
    if (racine != nullptr && IsDialogMessageW(racine, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return static_cast<int>(m.wParam);
}

void Boucle::peindre() {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM) -> BOOL {
        if (IsWindowVisible(w)) RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        return TRUE;
      },
      0);
  veiller();
}

void Boucle::veiller() {
  // Everything but the later functions, which run once the click handler is over.
  while (traiterUn(0, kMessagePlusTard - 1) || traiterUn(kMessagePlusTard + 1, 0xFFFFFFFF)) {
  }
}

}  // namespace zor::win32
