#include "convert/source.h"

#include <cerrno>

#include "convert/erreur.h"
#include "convert/fichier_c.h"
#include "platform/fichiers.h"

namespace zor::conversion {

SourceFichier::SourceFichier(const std::filesystem::path& chemin, std::size_t tailleBloc)
    : nom_(chemin.string()), tampon_(tailleBloc == 0 ? 1 : tailleBloc) {
  fichier_ = ouvrirFichierC(chemin, false);
  if (fichier_ == nullptr) throw ErreurConversion(nom_, raisonSysteme(errno));
  // A folder may open like a file and only fail at the first read: say so at once.
  if (platform::estUnDossier(fichier_)) {
    std::fclose(fichier_);
    fichier_ = nullptr;
    throw ErreurConversion(nom_, raisonSysteme(EISDIR));
  }
  // Our own blocks are large already; a second buffer would only copy them once more.
  std::setvbuf(fichier_, nullptr, _IONBF, 0);
}

SourceFichier::~SourceFichier() {
  if (fichier_ != nullptr) std::fclose(fichier_);
}

std::string_view SourceFichier::lire() {
  errno = 0;
  const std::size_t lus = std::fread(tampon_.data(), 1, tampon_.size(), fichier_);
  if (lus == 0 && std::ferror(fichier_)) throw ErreurConversion(nom_, raisonSysteme(errno));
  return {tampon_.data(), lus};
}

std::string_view SourceMemoire::lire() {
  const std::string_view bloc = reste_.substr(0, tailleBloc_);
  reste_.remove_prefix(bloc.size());
  return bloc;
}

}  // namespace zor::conversion
