// raccourci.exe LNK: runs what the shortcut LNK starts, as the Start menu would, except that a
// console it keeps open (cmd /k) closes once its command is done (cmd /c); the command's output
// goes to this program's, and its exit code is this program's. The setup's checks under wine
// prove with it that « ZOR en ligne de commande » reaches zor-cli.exe.
#include <cstdio>
#include <string>

#include "platform/texte_windows.h"
#include "platform/windows_leger.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

int main() {
  int n = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &n);
  if (arguments == nullptr || n != 2) {
    std::fputs("usage : raccourci.exe LNK\n", stderr);
    return 2;
  }
  CoInitialize(nullptr);
  IShellLinkW* lien = nullptr;
  IPersistFile* fichier = nullptr;
  wchar_t cible[MAX_PATH] = L"", parametres[4096] = L"";
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&lien))) ||
      FAILED(lien->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&fichier))) ||
      FAILED(fichier->Load(arguments[1], STGM_READ)) || FAILED(lien->GetPath(cible, MAX_PATH, nullptr, 0)) ||
      FAILED(lien->GetArguments(parametres, 4096))) {
    std::fprintf(stderr, "%s : raccourci illisible\n", zor::platform::utf8(arguments[1]).c_str());
    return 2;
  }
  std::wstring ligne = std::wstring(L"\"") + cible + L"\" " + parametres;
  if (const std::size_t k = ligne.find(L" /k "); k != std::wstring::npos) ligne[k + 2] = L'c';
  std::printf("%s\n", zor::platform::utf8(ligne).c_str());
  std::fflush(stdout);
  STARTUPINFOW demarrage{};
  demarrage.cb = sizeof demarrage;
  PROCESS_INFORMATION processus{};
  if (!CreateProcessW(nullptr, ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &demarrage, &processus)) return 2;
  WaitForSingleObject(processus.hProcess, INFINITE);
  DWORD code = 2;
  GetExitCodeProcess(processus.hProcess, &code);
  return static_cast<int>(code);
}
