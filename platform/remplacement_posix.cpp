// Replacing a file on the POSIX systems: new files made with O_EXCL and the user's umask,
// synced to the disk, given the old file's permissions.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/remplacement_systeme.h"

namespace zor::platform {

std::FILE* creerFichierNeuf(const std::filesystem::path& chemin, unsigned mode) {
  const int fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0) return nullptr;
  std::FILE* f = ::fdopen(fd, "wb");
  if (f == nullptr) {
    const int numero = errno;
    ::close(fd);
    std::error_code ec;
    std::filesystem::remove(chemin, ec);
    errno = numero;
  }
  return f;
}

// A file system that cannot sync (EINVAL: a pipe, some special ones) has nothing more to do.
int versLeDisque(std::FILE* f) { return ::fsync(::fileno(f)) != 0 && errno != EINVAL ? errno : 0; }

void reprendreDroits(std::FILE* nouveau, const std::filesystem::path& ancien) {
  struct stat etat {};
  if (::stat(ancien.c_str(), &etat) == 0) ::fchmod(::fileno(nouveau), etat.st_mode & 07777);
}

// A folder that takes no new file takes no replacement: the file stays as it was.
int remplacerSansVoisin(const std::filesystem::path&, std::string_view, int refus) { return refus; }

}  // namespace zor::platform
