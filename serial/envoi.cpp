#include "serial/envoi.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace zor::serie {
namespace {

// The interchange file read as the upload reads it: a line ends at CR LF or at a lone CR, a
// lone LF is an ordinary character, the last line needs no line end. Empty lines count as
// lines read. A line comes in pieces of at most kMorceau bytes, so that memory stays the same
// whatever the file holds (a file without any line end included).
class LecteurLignes {
 public:
  static constexpr std::size_t kMorceau = 1 << 16;

  explicit LecteurLignes(std::istream& flux) : flux_(flux) {}

  // The next piece; `fin` tells whether it ends its line. False at the end of the file.
  bool suivant(std::string& morceau, bool& fin) {
    morceau.clear();
    bool quelqueChose = false;
    for (;;) {
      if (position_ == taille_ && !remplir()) {
        fin = true;
        const bool reste = quelqueChose || enLigne_;
        enLigne_ = false;
        return reste;
      }
      quelqueChose = true;
      const char* debut = tampon_ + position_;
      const std::size_t dispo = std::min(taille_ - position_, kMorceau - morceau.size());
      const char* cr = static_cast<const char*>(std::memchr(debut, '\r', dispo));
      if (cr == nullptr) {
        morceau.append(debut, dispo);
        position_ += dispo;
        if (morceau.size() < kMorceau) continue;
        fin = false;
        enLigne_ = true;
        return true;
      }
      morceau.append(debut, cr);
      position_ = static_cast<std::size_t>(cr - tampon_) + 1;
      if (position_ < taille_ || remplir()) {
        if (tampon_[position_] == '\n') ++position_;
      }
      fin = true;
      enLigne_ = false;
      return true;
    }
  }

 private:
  bool remplir() {
    if (!flux_) return false;
    flux_.read(tampon_, sizeof tampon_);
    taille_ = static_cast<std::size_t>(flux_.gcount());
    position_ = 0;
    return taille_ > 0;
  }

  std::istream& flux_;
  char tampon_[1 << 16];
  std::size_t taille_ = 0;
  std::size_t position_ = 0;
  bool enLigne_ = false;  // the last piece did not end its line
};

}  // namespace

BilanEnvoi televerser(Port& port, Horloge& horloge, const Envoi& envoi, const Affichage& affichage) {
  BilanEnvoi bilan;
  const bool entreeStandard = envoi.fichier.chemin == "-";
  auto erreurLecture = [&](int numero) {
    return erreurFichier(Erreur::Genre::FichierIllisible, envoi.fichier.nom, numero,
                         entreeStandard ? std::string() : envoi.fichier.chemin.string());
  };
  try {
    port.Settings("4800,N,8,2");
    if (envoi.numeroPort) port.CommPort(*envoi.numeroPort);
    port.PortOpen(true);
    int compteur = 0;

    std::ifstream fichier;
    std::error_code ec;
    if (!entreeStandard) {
      if (std::filesystem::is_directory(envoi.fichier.chemin, ec)) throw Echec(erreurLecture(EISDIR));
      errno = 0;
      fichier.open(envoi.fichier.chemin, std::ios::binary);
      if (!fichier.is_open()) throw Echec(erreurLecture(errno != 0 ? errno : ENOENT));
    }
    std::istream& flux = entreeStandard ? static_cast<std::istream&>(std::cin) : fichier;
    auto lignes = std::make_unique<LecteurLignes>(flux);
    std::string ligne, suite;
    bool fin = true;
    for (;;) {
      errno = 0;
      if (!lignes->suivant(ligne, fin)) break;
      affichage.fenetre("");
      const bool phrase = !ligne.empty() && ligne.front() == '$';
      if (phrase) ++compteur;
      // A line longer than a piece (nothing the converter writes) goes out piece by piece.
      while (!fin) {
        if (phrase) port.Output(ligne);
        if (!lignes->suivant(suite, fin)) break;
        if (phrase) ligne.swap(suite);
      }
      if (phrase) {
        ligne += "\r\n";
        port.Output(ligne);
        bilan.envoyees = compteur;
        affichage.fenetre(ligne);
        horloge.dormir(kPauseApresPhrase);
      }
      affichage.result(compteur);
      if (envoi.interrompu && envoi.interrompu()) throw Echec(erreurDuPort(port, Erreur::Genre::Interruption));
    }
    // The standard input reads through the C library, which tells a failed read (a folder given
    // as "- < DOSSIER", an I/O error) only by its error flag: the stream just sees an end.
    if (flux.bad() || (entreeStandard && std::ferror(stdin))) throw Echec(erreurLecture(errno != 0 ? errno : EIO));
    port.PortOpen(false);
  } catch (const Echec& e) {
    port.abandonner();
    bilan.erreur = e.erreur();
  } catch (const std::bad_alloc&) {
    port.abandonner();
    bilan.erreur = erreurFichier(Erreur::Genre::MemoireInsuffisante, envoi.fichier.nom, 0, envoi.fichier.chemin.string());
  }
  return bilan;
}

}  // namespace zor::serie
