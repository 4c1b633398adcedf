#include "convert/conversion.h"

#include "convert/ecrivain_phrases.h"
#include "convert/fins_de_ligne.h"
#include "convert/reconnaissance.h"
#include "platform/chemins.h"

namespace zor::conversion {

Rapport convertir(Source& source, Ecrivain& ecrivain, const Demande& demande) {
  Rapport rapport;
  try {
    FinsDeLigneVues fins(source);
    SourceRelue relue(fins);
    rapport.format = demande.format;
    if (demande.selonContenu)
      if (const FormatEntree* selonContenu = formatSelonContenu(relue)) rapport.format = selonContenu;
    if (rapport.format != nullptr) {
      ecrivain.nommerLigne(demande.nomProfil.empty() ? std::string_view("Profil de carte")
                                                     : std::string_view(demande.nomProfil));
      Redaction redaction(ecrivain, demande, rapport);
      rapport.format->lire(relue, redaction);
    }
    rapport.seulementLF = fins.seulementLF();
    if (rapport.format == nullptr || rapport.ligneIntrouvable)
      ecrivain.abandonner();
    else
      ecrivain.terminer();
    rapport.ignores = ecrivain.ignores();
  } catch (...) {
    ecrivain.abandonner();
    throw;
  }
  return rapport;
}

Rapport convertirFichier(const std::filesystem::path& entree, const std::filesystem::path& interchange,
                         const Demande& demande, std::string* echo) {
  SortieFichier fichier(interchange);
  EcrivainPhrases phrases(fichier, echo);
  Rapport rapport;
  if (demande.format != nullptr || demande.selonContenu) {
    // The window cannot wait: a pipe or a device chosen in the dialog is refused, not opened.
    SourceFichier source(entree, true);
    rapport = convertir(source, phrases, demande);
  }
  fichier.fermer();
  return rapport;
}

Rapport convertirFichierDonne(const std::filesystem::path& entree, std::string_view texteType, Mode mode,
                              const std::filesystem::path& interchange, std::string* echo) {
  Demande demande;
  demande.format = formatSelonTexte(texteType);
  demande.selonContenu = true;
  demande.mode = mode;
  demande.nomProfil = platform::utf8DuChemin(entree.stem());
  // The input is opened first and the run made in memory: a folder, a file that cannot be read,
  // a broken GPX document or a file without records leave the interchange file, which the
  // window may still send, and the echo as they were.
  SourceFichier source(entree, true);
  SortieMemoire lignes;
  std::string echoRun;
  EcrivainPhrases phrases(lignes, echo != nullptr ? &echoRun : nullptr);
  const Rapport rapport = convertir(source, phrases, demande);
  if (rapport.enregistrements > 0) {
    SortieFichier fichier(interchange);
    const std::string_view octets = lignes.octets();
    for (std::size_t fait = 0; fait < octets.size(); fait += Sortie::kTailleTampon)
      fichier.ecrire(octets.substr(fait, Sortie::kTailleTampon));
    fichier.fermer();
    if (echo != nullptr) echo->append(echoRun);
  }
  return rapport;
}

}  // namespace zor::conversion
