// The rescue folder on Windows: the user's own local application data.
#include <cstdlib>
#include <system_error>

#include "platform/drive_c.h"
#include "platform/secours.h"

namespace zor::platform {

std::filesystem::path dossierDeSecours() {
  // C:\Users\NOM\AppData\Local\ZOR: the root of C:, where the download failed, takes no new
  // file from a user who is no administrator.
  std::error_code ec;
  if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA"); local != nullptr && *local != L'\0') {
    const std::filesystem::path dossier = std::filesystem::path(local) / L"ZOR";
    std::filesystem::create_directories(dossier, ec);
    if (std::filesystem::is_directory(dossier, ec)) return dossier;
  }
  return dossierLecteurC();
}

}  // namespace zor::platform
