#pragma once
// Paths between the program's UTF-8 text and the system: Windows takes UTF-16, the other
// systems take the bytes as they are.
#include <filesystem>
#include <string>
#include <string_view>

namespace zor::platform {

inline std::filesystem::path cheminDepuisUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8DuChemin(const std::filesystem::path& chemin) {
  const std::u8string u = chemin.u8string();
  return std::string(u.begin(), u.end());
}

}  // namespace zor::platform
