// The launch seam, the same on every system; the file test and the start itself are in
// lancement_windows.cpp and lancement_posix.cpp.
#include "platform/lancement.h"

namespace zor::platform {
namespace {
std::function<bool(const std::filesystem::path&)> lanceurInstalle;
}  // namespace

bool lancerProgramme(std::string_view chemin) {
  if (chemin.empty()) return false;
  const std::filesystem::path p = cheminProgramme(chemin);
  if (lanceurInstalle) return lanceurInstalle(p);
  return demarrerProgramme(p);
}

void remplacerLancement(std::function<bool(const std::filesystem::path&)> lanceur) {
  lanceurInstalle = std::move(lanceur);
}

}  // namespace zor::platform
