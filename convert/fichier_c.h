#pragma once
// Opening a file by its path with the C library, wide paths included on Windows.
#include <cstdio>
#include <filesystem>

#include "platform/fichiers.h"

namespace zor::conversion {

// For reading, or for writing (created or emptied). nullptr on failure, with errno set.
inline std::FILE* ouvrirFichierC(const std::filesystem::path& chemin, bool ecriture) {
  return ecriture ? platform::ouvrirFichierEcriture(chemin) : platform::ouvrirFichierLecture(chemin);
}

}  // namespace zor::conversion
