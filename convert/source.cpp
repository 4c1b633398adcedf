#include "convert/source.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cerrno>

#include "convert/fichier_c.h"
#include "platform/erreur.h"

namespace zor::conversion {

SourceFichier::SourceFichier(const std::filesystem::path& chemin, std::size_t tailleBloc)
    : nom_(chemin.string()), tampon_(tailleBloc == 0 ? 1 : tailleBloc) {
  fichier_ = ouvrirFichierC(chemin, false);
  if (fichier_ == nullptr) throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, errno));
#ifndef _WIN32
  // A folder opens like a file here and only fails at the first read: say so at once.
  struct stat etat {};
  if (::fstat(::fileno(fichier_), &etat) == 0 && S_ISDIR(etat.st_mode)) {
    std::fclose(fichier_);
    fichier_ = nullptr;
    throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, EISDIR));
  }
#endif
  // Our own blocks are large already; a second buffer would only copy them once more.
  std::setvbuf(fichier_, nullptr, _IONBF, 0);
}

SourceFichier::SourceFichier(std::FILE* flux, std::string nom)
    : fichier_(flux), possede_(false), nom_(std::move(nom)), tampon_(kTailleBloc) {}

SourceFichier::~SourceFichier() {
  if (fichier_ != nullptr && possede_) std::fclose(fichier_);
}

std::string_view SourceFichier::lire() {
  errno = 0;
  const std::size_t lus = std::fread(tampon_.data(), 1, tampon_.size(), fichier_);
  if (lus == 0 && std::ferror(fichier_)) throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, errno));
  return {tampon_.data(), lus};
}

std::string_view SourceMemoire::lire() {
  const std::string_view bloc = reste_.substr(0, tailleBloc_);
  reste_.remove_prefix(bloc.size());
  return bloc;
}

}  // namespace zor::conversion
