// textes.exe TITRE: the texts of the controls of the top-level windows captioned TITRE (a
// program's window and its message box may share it), one a line in UTF-8 (nothing, exit code
// 1, when there is no such window). The window's proof under
// wine reads the system's message boxes with it: their buttons in the system's language.
// textes.exe --infobulle: the text of the tooltip showing now, its lines as they are (exit
// code 1 when none shows).
#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/texte_windows.h"
#include "platform/windows_leger.h"

#include <shellapi.h>

namespace {

using zor::platform::utf8;

BOOL CALLBACK afficher(HWND w, LPARAM) {
  wchar_t texte[1024] = L"";
  // Asked of the control itself: GetWindowText only gives another program's edit field the
  // name it was made with.
  DWORD_PTR resultat = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(texte), SMTO_ABORTIFHUNG, 2000, &resultat);
  if (texte[0] != L'\0' && IsWindowVisible(w)) std::printf("%s\n", utf8(texte).c_str());
  return TRUE;
}

struct Recherche {
  const wchar_t* titre;
  bool trouvee = false;
};

BOOL CALLBACK parcourir(HWND w, LPARAM l) {
  auto* r = reinterpret_cast<Recherche*>(l);
  wchar_t texte[1024] = L"";
  GetWindowTextW(w, texte, 1024);
  if (std::wcscmp(texte, r->titre) == 0 && IsWindowVisible(w)) {
    r->trouvee = true;
    EnumChildWindows(w, afficher, 0);
  }
  return TRUE;
}

BOOL CALLBACK infobulle(HWND w, LPARAM trouvee) {
  wchar_t classe[64] = L"";
  GetClassNameW(w, classe, 64);
  if (std::wstring(classe) != L"tooltips_class32" || !IsWindowVisible(w)) return TRUE;
  wchar_t texte[1024] = L"";
  DWORD_PTR lu = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(texte), SMTO_ABORTIFHUNG, 2000, &lu);
  std::printf("%s\n", utf8(texte).c_str());
  *reinterpret_cast<bool*>(trouvee) = true;
  return TRUE;
}

}  // namespace

int main() {
  int n = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &n);
  if (arguments == nullptr || n != 2) {
    std::fputs("usage : textes.exe TITRE | --infobulle\n", stderr);
    return 2;
  }
  if (std::wstring(arguments[1]) == L"--infobulle") {
    bool trouvee = false;
    EnumWindows(infobulle, reinterpret_cast<LPARAM>(&trouvee));
    return trouvee ? 0 : 1;
  }
  Recherche recherche{arguments[1]};
  EnumWindows(parcourir, reinterpret_cast<LPARAM>(&recherche));
  return recherche.trouvee ? 0 : 1;
}
