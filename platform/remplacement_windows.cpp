// Files made beside others on Windows: by name in UTF-16, flushed to the system only (as ever).
#include <cerrno>
#include <system_error>

#include "platform/remplacement_systeme.h"

namespace zor::platform {

// The folder's permissions decide, not `mode`.
std::FILE* creerFichierNeuf(const std::filesystem::path& chemin, unsigned) { return ::_wfopen(chemin.c_str(), L"wbx"); }

int versLeDisque(std::FILE*) { return 0; }

}  // namespace zor::platform
