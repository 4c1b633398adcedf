// accessibilite.exe TITRE: what a screen reader reads of the top-level window captioned TITRE,
// read through oleacc from another process as a screen reader reads it: for each control that
// shows (the window's child windows, in their order), the accessible object it hands out
// (AccessibleObjectFromWindow), one line each, in UTF-8:
//   role <TAB> name <TAB> value <TAB> description <TAB> "focus" when it has the keyboard focus
// (the role in a word: bouton, option, liste, champ, texte, image, client, autre)
// with each line end inside a text written "\n". Nothing, exit code 1, when there is no such
// window. The window's proof under wine (fenetre.sh) reads its lines.
#include <cstdio>
#include <string>

#include "platform/texte_windows.h"
#include "platform/windows_leger.h"

#include <ole2.h>
#include <oleacc.h>
#include <shellapi.h>

namespace {

using zor::platform::utf8;

// One text of the object: `lire` fills the string it is handed.
template <class Lire>
std::string lu(Lire lire) {
  BSTR texte = nullptr;
  const HRESULT r = lire(&texte);
  if (FAILED(r)) {
    char code[16];
    std::snprintf(code, sizeof code, "!%08lx", static_cast<unsigned long>(r));
    return code;
  }
  std::string s;
  if (texte != nullptr) {
    s = utf8(std::wstring(texte, SysStringLen(texte)));
    SysFreeString(texte);
  }
  std::string sur;
  for (char c : s) {
    if (c == '\n') sur += "\\n";
    else if (c != '\r' && c != '\t') sur += c;
  }
  return sur;
}

// What a screen reader calls the control.
const char* nomDuRole(long numero) {
  switch (numero) {
    case ROLE_SYSTEM_PUSHBUTTON: return "bouton";
    case ROLE_SYSTEM_RADIOBUTTON: return "option";
    case ROLE_SYSTEM_COMBOBOX: return "liste";
    case ROLE_SYSTEM_TEXT: return "champ";
    case ROLE_SYSTEM_STATICTEXT: return "texte";
    case ROLE_SYSTEM_GRAPHIC: return "image";
    case ROLE_SYSTEM_CLIENT: return "client";
    default: return "autre";
  }
}

struct Visite {
  HWND focus;
};

BOOL CALLBACK lire(HWND w, LPARAM visite) {
  if (!IsWindowVisible(w)) return TRUE;
  IAccessible* objet = nullptr;
  const HRESULT r =
      AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&objet));
  if (FAILED(r) || objet == nullptr) {
    std::printf("?\t(aucun objet accessible : %08lx)\n", static_cast<unsigned long>(r));
    return TRUE;
  }
  VARIANT soi;
  soi.vt = VT_I4;
  soi.lVal = CHILDID_SELF;
  VARIANT role;
  VariantInit(&role);
  long numero = 0;
  if (SUCCEEDED(objet->get_accRole(soi, &role)) && role.vt == VT_I4) numero = role.lVal;
  VariantClear(&role);
  const std::string n = lu([&](BSTR* t) { return objet->get_accName(soi, t); });
  const std::string v = lu([&](BSTR* t) { return objet->get_accValue(soi, t); });
  const std::string d = lu([&](BSTR* t) { return objet->get_accDescription(soi, t); });
  objet->Release();
  const bool focus = reinterpret_cast<Visite*>(visite)->focus == w;
  std::printf("%s\t%s\t%s\t%s\t%s\n", nomDuRole(numero), n.c_str(), v.c_str(), d.c_str(), focus ? "focus" : "");
  return TRUE;
}

}  // namespace

int main() {
  int n = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &n);
  if (arguments == nullptr || n != 2) {
    std::fputs("usage : accessibilite.exe TITRE\n", stderr);
    return 2;
  }
  HWND fenetre = FindWindowW(nullptr, arguments[1]);
  if (fenetre == nullptr) return 1;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  GUITHREADINFO fil{};
  fil.cbSize = sizeof fil;
  Visite visite{nullptr};
  if (GetGUIThreadInfo(GetWindowThreadProcessId(fenetre, nullptr), &fil)) visite.focus = fil.hwndFocus;
  EnumChildWindows(fenetre, lire, reinterpret_cast<LPARAM>(&visite));
  CoUninitialize();
  return 0;
}
