#include "platform/peripherique_serie.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <cerrno>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zor::platform {

#ifdef _WIN32

std::string peripheriqueDuPort(int numero) { return "COM" + std::to_string(numero); }
bool accesInterdit(const std::string&) { return false; }
bool pasUnPeripherique(const std::string&) { return false; }
std::optional<std::string> raisonCoupure(const std::string&, PoigneeSerie) { return std::nullopt; }

#else

std::string peripheriqueDuPort(int numero) {
  const std::string variable = "ZOR_COMM" + std::to_string(numero);
  if (const char* v = std::getenv(variable.c_str()); v != nullptr && *v != '\0') return v;
  return "/dev/ttyS" + std::to_string(numero - 1);
}

bool accesInterdit(const std::string& peripherique) {
  return ::access(peripherique.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
}

bool pasUnPeripherique(const std::string& peripherique) {
  struct stat etat {};
  return ::stat(peripherique.c_str(), &etat) == 0 && !S_ISCHR(etat.st_mode);
}

std::optional<std::string> raisonCoupure(const std::string& peripherique, PoigneeSerie poignee) {
  std::error_code ec;
  if (!std::filesystem::exists(peripherique, ec)) return "le périphérique a disparu";
  if (poignee >= 0) {
    pollfd p{poignee, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0) return "le périphérique a raccroché";
  }
  return std::nullopt;
}

#endif

std::string_view conseilAccesInterdit() {
#ifdef __linux__
  return "\nAjoutez votre compte au groupe dialout (sudo usermod -a -G dialout $USER), "
         "puis fermez la session et reconnectez-vous.";
#else
  return {};
#endif
}

}  // namespace zor::platform
