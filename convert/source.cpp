#include "convert/source.h"

#include <cerrno>
#include <optional>

#include "core/erreur.h"
#include "platform/ecriture.h"
#include "platform/chemins.h"
#include "platform/fichiers.h"
#include "platform/interruption.h"

namespace zor::conversion {

SourceFichier::SourceFichier(const std::filesystem::path& chemin, bool ordinaireSeulement, std::size_t tailleBloc)
    : nom_(platform::utf8DuChemin(chemin)), tampon_(tailleBloc == 0 ? 1 : tailleBloc) {
  if (ordinaireSeulement) {
    std::optional<Erreur> refus;
    fichier_ = platform::ouvrirLectureOrdinaire(chemin, refus);
    if (fichier_ == nullptr) {
      refus->fichier = nom_;
      throw Echec(*refus);
    }
  } else {
    fichier_ = platform::ouvrirFichierLecture(chemin);
    if (fichier_ == nullptr)
      throw Echec(erreurFichier(errno == EINTR ? Erreur::Genre::Interruption : Erreur::Genre::FichierIllisible, nom_,
                                errno));
  }
  // A folder may open like a file and only fail at the first read: say so at once.
  if (platform::estUnDossier(fichier_)) {
    std::fclose(fichier_);
    fichier_ = nullptr;
    throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, EISDIR));
  }
  relisible_ = platform::estOrdinaire(fichier_);
  // Our own blocks are large already; a second buffer would only copy them once more.
  std::setvbuf(fichier_, nullptr, _IONBF, 0);
}

SourceFichier::SourceFichier(std::FILE* flux, std::string nom)
    : fichier_(flux), possede_(false), nom_(std::move(nom)), tampon_(kTailleBloc) {}

SourceFichier::~SourceFichier() {
  if (fichier_ != nullptr && possede_) std::fclose(fichier_);
}

std::string_view SourceFichier::lire() {
  // The end once seen is the end: a terminal's Ctrl+D after a line is not asked for twice.
  if (fin_) return {};
  for (;;) {
    errno = 0;
    const std::size_t lus = std::fread(tampon_.data(), 1, tampon_.size(), fichier_);
    fin_ = std::feof(fichier_) != 0;
    if (lus > 0 || !std::ferror(fichier_)) {
      // Cut short by a signal, what came is handed on; the next read tells the interruption.
      if (lus > 0 && std::ferror(fichier_)) std::clearerr(fichier_);
      return {tampon_.data(), lus};
    }
    const int numero = errno;
    std::clearerr(fichier_);
    if (numero != EINTR) throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, numero));
    if (platform::interruptionRecue() != 0) throw Echec(erreurFichier(Erreur::Genre::Interruption, nom_, EINTR));
  }
}

void SourceFichier::rembobiner() {
  fin_ = false;
  errno = 0;
  if (std::fseek(fichier_, 0, SEEK_SET) != 0)
    throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, nom_, errno != 0 ? errno : EIO));
}

std::string_view SourceMemoire::lire() {
  const std::string_view bloc = reste_.substr(0, tailleBloc_);
  reste_.remove_prefix(bloc.size());
  return bloc;
}

}  // namespace zor::conversion
