// Files made beside others on the POSIX systems: with O_EXCL and the user's umask, synced to
// the disk.
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

}  // namespace zor::platform
