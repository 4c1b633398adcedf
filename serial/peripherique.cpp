#include "serial/peripherique.h"

#include "platform/peripherique_serie.h"

namespace zor::serie {

std::optional<int> choixPort(const QString& texteComm) {
  for (int n = 1; n <= 4; ++n)
    if (texteComm == QStringLiteral("Comm%1").arg(n)) return n;
  return std::nullopt;
}

std::string peripheriqueDuPort(int numero) { return platform::peripheriqueDuPort(numero); }

}  // namespace zor::serie
