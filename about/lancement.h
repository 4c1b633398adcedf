#pragma once
// The file-exists test and the program launch behind the about box's "system information"
// button. Both take a path as the registry gives it (ANSI code page, "C:\..."); on systems
// other than Windows, "C:\..." is mapped into the folder that stands for drive C: (cheminLocal).
#include <filesystem>
#include <functional>
#include <string_view>

namespace zor::apropos {

// Whether an ordinary file of that name exists: not a folder, not hidden, not a system file.
// On systems other than Windows, hidden means a name that starts with a dot.
bool fichierOrdinaireExiste(std::string_view chemin);

// What starts a program: receives the mapped path, tells whether the start succeeded. The
// about box is handed one (tests observe the starts); empty, the real start.
using Lanceur = std::function<bool(const std::filesystem::path&)>;

// Starts the program in a normal window and returns at once, without waiting for it.
// False when it could not be started (an empty path included).
bool lancerProgramme(std::string_view chemin, const Lanceur& lanceur = {});

// Where a registry path lands on this system.
std::filesystem::path cheminProgramme(std::string_view chemin);

// The real start: the program alone, without any
// argument, so a path with blanks is one program and not a command line.
bool demarrerProgramme(const std::filesystem::path& programme);

}  // namespace zor::apropos
