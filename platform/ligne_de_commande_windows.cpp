// The arguments on Windows: the command line in UTF-16, split as the C runtime splits it.
#include "platform/ligne_de_commande.h"

#include "platform/windows_leger.h"

#include <shellapi.h>

#include "platform/texte_windows.h"

namespace zor::platform {

std::vector<std::string> argumentsUtf8(int argc, char** argv) {
  int n = 0;
  wchar_t** larges = ::CommandLineToArgvW(::GetCommandLineW(), &n);
  if (larges == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) arguments.push_back(utf8(larges[i]));
  ::LocalFree(larges);
  return arguments;
}

}  // namespace zor::platform
