#include "convert/source.h"

#include <cerrno>

#include "core/erreur.h"
#include "platform/chemins.h"
#include "platform/fichiers.h"

namespace zor::conversion {

SourceFichier::SourceFichier(const std::filesystem::path& chemin, std::size_t tailleBloc)
    : nom_(platform::utf8DuChemin(chemin)), tampon_(tailleBloc == 0 ? 1 : tailleBloc) {
  fichier_ = platform::ouvrirFichierLecture(chemin);
  if (fichier_ == nullptr) throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, errno));
  // A folder may open like a file and only fail at the first read: say so at once.
  if (platform::estUnDossier(fichier_)) {
    std::fclose(fichier_);
    fichier_ = nullptr;
    throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, EISDIR));
  }
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
