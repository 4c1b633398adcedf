// The launch seam, the same on every system; the file test and the start itself are in
// lancement_windows.cpp and lancement_posix.cpp.
#include "about/lancement.h"

namespace zor::apropos {
bool lancerProgramme(std::string_view chemin, const Lanceur& lanceur) {
  if (chemin.empty()) return false;
  const std::filesystem::path p = cheminProgramme(chemin);
  return lanceur ? lanceur(p) : demarrerProgramme(p);
}

}  // namespace zor::apropos
