#pragma once
// The open-file dialog of the common dialog control: the system's own (GetOpenFileNameW).
#include <optional>
#include <string>

#include "app/common_dialog.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

// The filter as the system takes it: "description\0patterns\0…\0\0".
std::wstring filtreWin32(const std::vector<app::Filtre>& filtres);

std::optional<std::string> afficherOuverture(const app::DemandeOuverture& demande, HWND proprietaire);

}  // namespace zor::win32
