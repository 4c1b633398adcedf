// A program for the launch checks to start: it writes the command line it was given (UTF-16)
// into a file named after itself plus ".trace", then ends.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int main() {
  wchar_t nom[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, nom, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  const std::wstring trace = std::wstring(nom, n) + L".trace";
  std::FILE* f = _wfopen(trace.c_str(), L"wb");
  if (f == nullptr) return 1;
  const wchar_t* ligne = GetCommandLineW();
  std::fwrite(ligne, sizeof(wchar_t), wcslen(ligne), f);
  std::fclose(f);
  return 0;
}
