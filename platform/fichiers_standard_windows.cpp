// The standard streams and file identity on Windows.
#include "platform/fichiers_standard.h"

#include <fcntl.h>
#include <io.h>

#include <optional>

#include "platform/windows_leger.h"

namespace zor::platform {
namespace {

// A file is known by its volume's serial number and its index on that volume, whatever name
// or handle leads to it (cmd's "> F" and ">> F" included). Only a file on a disk counts: NUL,
// a console or a pipe is never emptied before it is read.
struct Identite {
  DWORD volume = 0;
  DWORD indexHaut = 0, indexBas = 0;
  bool operator==(const Identite&) const = default;
};

std::optional<Identite> identite(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (h == INVALID_HANDLE_VALUE || h == nullptr || ::GetFileType(h) != FILE_TYPE_DISK ||
      !::GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::nullopt;
  return Identite{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::optional<Identite> identite(const std::filesystem::path& chemin) {
  // Asking for its attributes only: a file another program writes still answers.
  const HANDLE h = ::CreateFileW(chemin.c_str(), FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<Identite> i = identite(h);
  ::CloseHandle(h);
  return i;
}

std::optional<Identite> identite(std::FILE* flux) {
  return identite(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(flux))));
}

template <class A, class B>
bool meme(const A& a, const B& b) {
  const std::optional<Identite> x = identite(a), y = identite(b);
  return x && y && *x == *y;
}

}  // namespace

bool memeFichier(const std::filesystem::path& a, const std::filesystem::path& b) { return meme(a, b); }

bool memeFichierQueFlux(const std::filesystem::path& chemin, std::FILE* flux) { return meme(chemin, flux); }

bool memesFlux(std::FILE* a, std::FILE* b) { return meme(a, b); }

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
