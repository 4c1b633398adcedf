// The file test and the program start on systems other than Windows: registry paths are
// Windows-1252 text, "C:\..." lives under the folder that stands for drive C:.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <system_error>

#include "about/lancement.h"
#include "core/windows1252.h"
#include "platform/drive_c.h"

namespace zor::apropos {

std::filesystem::path cheminProgramme(std::string_view chemin) {
  return platform::cheminLocal(utf8DepuisWindows1252(chemin));
}

bool fichierOrdinaireExiste(std::string_view chemin) {
  if (chemin.empty()) return false;
  const std::filesystem::path p = cheminProgramme(chemin);
  const std::string nom = p.filename().string();
  if (nom.empty() || nom.front() == '.') return false;
  std::error_code erreur;
  return std::filesystem::is_regular_file(p, erreur);
}

bool demarrerProgramme(const std::filesystem::path& programme) {
  if (programme.empty()) return false;
  // Started twice removed, in a session of its own: the program lives on by itself and never
  // waits as a zombie for us. A pipe closed by the successful exec tells whether it started.
  int tube[2];
  if (::pipe2(tube, O_CLOEXEC) != 0) return false;
  const std::string chemin = programme.string();
  char* const arguments[] = {const_cast<char*>(chemin.c_str()), nullptr};
  const pid_t enfant = ::fork();
  if (enfant < 0) {
    ::close(tube[0]);
    ::close(tube[1]);
    return false;
  }
  if (enfant == 0) {
    // Only async-signal-safe calls between fork and exec.
    const pid_t petitEnfant = ::fork();
    if (petitEnfant < 0) {
      const int numero = errno;
      [[maybe_unused]] const ssize_t ecrit = ::write(tube[1], &numero, sizeof numero);
      ::_exit(1);
    }
    if (petitEnfant == 0) {
      ::setsid();
      ::execv(chemin.c_str(), arguments);
      const int numero = errno;
      [[maybe_unused]] const ssize_t ecrit = ::write(tube[1], &numero, sizeof numero);
      ::_exit(127);
    }
    ::_exit(0);
  }
  ::close(tube[1]);
  int statut = 0;
  while (::waitpid(enfant, &statut, 0) < 0 && errno == EINTR) {
  }
  int numero = 0;
  ssize_t lus = 0;
  while ((lus = ::read(tube[0], &numero, sizeof numero)) < 0 && errno == EINTR) {
  }
  ::close(tube[0]);
  return lus == 0;
}

}  // namespace zor::apropos
