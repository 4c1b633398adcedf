#pragma once
// Where what could not be written goes (what a download received when its file could not be
// replaced): the user's own folder, readable by this user only.
#include <filesystem>
#include <string_view>

namespace zor::platform {

// The user's own state folder ($XDG_STATE_HOME/zor, by default ~/.local/state/zor), made
// readable by this user only; on Windows %LOCALAPPDATA%\ZOR; else the folder that stands for
// drive C:.
std::filesystem::path dossierDeSecours();

// Saves `octets` into a new file of dossierDeSecours() whose name starts with `prefixe`,
// readable by this user only; its full path, or empty with `numeroSysteme` set when even that
// fails.
std::filesystem::path sauverEnSecours(std::string_view octets, std::string_view prefixe, int& numeroSysteme);

}  // namespace zor::platform
