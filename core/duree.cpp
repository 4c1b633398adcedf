#include "core/duree.h"

namespace zor {

std::string dureeEnFrancais(std::chrono::seconds duree) {
  const long long s = duree.count() < 0 ? 0 : duree.count();
  auto deux = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  if (s >= 3600) return std::to_string(s / 3600) + " h " + deux(s % 3600 / 60) + " min";
  if (s >= 60) return std::to_string(s / 60) + " min " + deux(s % 60) + " s";
  return std::to_string(s) + " s";
}

}  // namespace zor
