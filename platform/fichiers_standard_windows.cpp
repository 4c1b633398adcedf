// The standard streams and file identity on Windows.
#include "platform/fichiers_standard.h"

#include <fcntl.h>
#include <io.h>

namespace zor::platform {

// Only a regular file is emptied before it is read: /dev/null as input and output is no clash.
bool memeFichier(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec && std::filesystem::is_regular_file(a, ec);
}

bool memeFichierQueFlux(const std::filesystem::path&, std::FILE*) { return false; }

bool memesFlux(std::FILE*, std::FILE*) { return false; }

// Windows keeps a file being written by one program from being opened for writing by another.
VerrouEcriture::VerrouEcriture(std::FILE*) {}

std::optional<std::uint64_t> positionEcriture(std::FILE* flux) {
  const auto p = _telli64(_fileno(flux));
  if (p < 0) return std::nullopt;
  return static_cast<std::uint64_t>(p);
}

bool tronquer(std::FILE* flux, std::uint64_t taille) {
  return _chsize_s(_fileno(flux), static_cast<long long>(taille)) == 0;
}

void ignorerLimiteTailleFichier() {}

void ignorerTubeCoupe() {}

}  // namespace zor::platform
