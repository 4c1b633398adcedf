// Replacing a file on Windows: new files made by name in UTF-16, flushed to the system only (as
// ever), and the root of C: where a user may change a file but not create one.
#include <cerrno>
#include <string>
#include <system_error>

#include "platform/remplacement_systeme.h"

namespace zor::platform {

// The folder's permissions decide, not `mode`.
std::FILE* creerFichierNeuf(const std::filesystem::path& chemin, unsigned) { return ::_wfopen(chemin.c_str(), L"wbx"); }

int versLeDisque(std::FILE*) { return 0; }

void reprendreDroits(std::FILE*, const std::filesystem::path&) {}

// Windows lets a user who is no administrator change a file at the root of C: that was made
// writable for them (the setup program does so for c:\zor.txt), but not create one beside it.
// The file is then rewritten where it is; should that fail, its old bytes are put back.
int remplacerSansVoisin(const std::filesystem::path& chemin, std::string_view octets, int refus) {
  std::error_code ec;
  if (refus != EACCES || !std::filesystem::is_regular_file(chemin, ec)) return refus;
  std::FILE* lu = ::_wfopen(chemin.c_str(), L"rb");
  if (lu == nullptr) return errno != 0 ? errno : EACCES;
  std::string ancien;
  char tampon[65536];
  for (std::size_t n; (n = std::fread(tampon, 1, sizeof tampon, lu)) > 0;) ancien.append(tampon, n);
  const bool illisible = std::ferror(lu) != 0;
  std::fclose(lu);
  if (illisible) return EIO;
  std::FILE* f = ::_wfopen(chemin.c_str(), L"wb");
  if (f == nullptr) return errno != 0 ? errno : EACCES;
  const int numero = ecrireEtFermer(f, octets);
  if (numero != 0) {
    if (std::FILE* remis = ::_wfopen(chemin.c_str(), L"wb")) ecrireEtFermer(remis, ancien);
  }
  return numero;
}

}  // namespace zor::platform
