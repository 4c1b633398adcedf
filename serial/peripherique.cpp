#include "serial/peripherique.h"

#include <cstdlib>

namespace zor::serie {

std::optional<int> choixPort(const QString& texteComm) {
  for (int n = 1; n <= 4; ++n)
    if (texteComm == QStringLiteral("Comm%1").arg(n)) return n;
  return std::nullopt;
}

std::string peripheriqueDuPort(int numero) {
#ifdef _WIN32
  return "COM" + std::to_string(numero);
#else
  const std::string variable = "ZOR_COMM" + std::to_string(numero);
  if (const char* v = std::getenv(variable.c_str()); v != nullptr && *v != '\0') return v;
  return "/dev/ttyS" + std::to_string(numero - 1);
#endif
}

}  // namespace zor::serie
