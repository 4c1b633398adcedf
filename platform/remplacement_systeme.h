#pragma once
// What writing a file whole beside another (ecriture_*.cpp) and the rescue folder (secours.cpp)
// share, and the system's side of both, one file per system (remplacement_posix.cpp,
// remplacement_windows.cpp).
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace zor::platform {

// A name nobody uses yet beside `modele`, created empty and open for writing (only by this
// user, with `mode`), its name as long as the folder allows: `cree`, or nullptr with `numero`.
std::FILE* creerVoisin(const std::filesystem::path& modele, std::string_view suffixe, std::filesystem::path& cree,
                       int& numero, unsigned mode = 0666);

// Writes, flushes (to the disk too with `surLeDisque`) and closes; the errno of the first step
// that fails, else 0.
int ecrireEtFermer(std::FILE* f, std::string_view octets, bool surLeDisque = true);

// The system's side.

// A file created at `chemin`, never one that exists (errno EEXIST then), open for writing as
// bytes, with the permissions `mode` where the system has such; nullptr with errno on failure.
std::FILE* creerFichierNeuf(const std::filesystem::path& chemin, unsigned mode);
// What `f` holds, flushed already, onto the disk itself: 0, or errno.
int versLeDisque(std::FILE* f);

}  // namespace zor::platform
