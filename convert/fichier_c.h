#pragma once
// Opening a file by its path with the C library, wide paths included on Windows.
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace zor::conversion {

// For reading, or for writing (created or emptied). nullptr on failure, with errno set.
inline std::FILE* ouvrirFichierC(const std::filesystem::path& chemin, bool ecriture) {
  errno = 0;
#ifdef _WIN32
  return _wfopen(chemin.c_str(), ecriture ? L"wb" : L"rb");
#else
  return std::fopen(chemin.c_str(), ecriture ? "wb" : "rb");
#endif
}

}  // namespace zor::conversion
