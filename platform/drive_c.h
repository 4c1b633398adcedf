#pragma once
// Where the program's fixed Windows paths ("c:\$_t_e_m_p", "c:\zor.txt") live on this system.
#include <filesystem>
#include <string>
#include <string_view>

namespace zor::platform {

// The folder that stands for drive C:. On Windows it is "C:\"; elsewhere $ZOR_DRIVE_C, or the
// user's home folder when that is not set, or else the current folder, or else "/". Never
// throws (the current folder may have been deleted).
std::filesystem::path dossierLecteurC();

// Maps a Windows path as the program writes it ("c:\zor.txt") to a path of this system.
// On Windows the text is in the ANSI code page, as the registry hands it to the program.
// Elsewhere paths that do not start with a drive letter C: are returned with '\' turned
// into '/'.
std::filesystem::path cheminLocal(std::string_view cheminWindows);

// What to tell a user whose drive C: folder refuses to be written (read-only, not theirs), in
// French: where to point ZOR_DRIVE_C. Empty on Windows, where drive C: is the real one, and
// for any other reason.
std::string conseilLecteurC(int numeroSysteme);

}  // namespace zor::platform
