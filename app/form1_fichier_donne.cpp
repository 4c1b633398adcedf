// A file given to the window: dropped on it, or named on the program's command line. It is
// converted as « Rechercher Fichier » converts, and the window ends where that run would: the
// port list stays to choose the port before sending; the two "Ok" buttons, whose steps the
// file has passed, stay hidden as after any conversion.
#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "app/form1.h"
#include "convert/conversion.h"
#include "convert/rapport.h"
#include "platform/chemins.h"
#include "platform/drive_c.h"

namespace zor::app {
namespace {

using conversion::entierEnFrancais;

// Enough to tell the file's other lines apart in a box; the rest are counted.
constexpr std::size_t kAutresLignesMontrees = 10;

std::string pluriel(long long n, std::string_view un, std::string_view plusieurs) {
  return entierEnFrancais(n) + " " + std::string(n > 1 ? plusieurs : un);
}

// What the box says once the file is converted: the line of a GPX file taken and how it was
// fitted, the lines left out and how to take one of them; the track points a waypoint run
// leaves out; names past eight characters. Empty when there is nothing to tell.
std::string resumer(const conversion::Rapport& r, conversion::Mode mode, const std::string& nomFichier) {
  std::string texte;
  auto paragraphe = [&texte](const std::string& p) { texte += (texte.empty() ? "" : "\n\n") + p; };
  if (const std::string ligne = conversion::resumerLigne(r); !ligne.empty()) {
    paragraphe("Profil de carte : " + ligne + ".");
    const conversion::LigneAjustee& a = *r.ajustement;
    if (a.apres < a.avant)
      texte += "\nLa ligne a été ramenée à " + pluriel(a.apres, "point", "points") + " ; aucun des " +
               entierEnFrancais(a.avant) + " points lus n'est à plus de " +
               entierEnFrancais(static_cast<long long>(std::ceil(a.ecart))) + " m de la ligne envoyée.";
    if (r.lignes.size() > 1) {
      std::string autres = "Les autres lignes de " + nomFichier + " ne sont pas converties :";
      std::size_t montrees = 0;
      for (std::size_t i = 0; i < r.lignes.size(); ++i) {
        if (i == *r.ligneRetenue) continue;
        if (montrees++ == kAutresLignesMontrees) {
          autres += "\n… et " + entierEnFrancais(static_cast<long long>(r.lignes.size() - 1 - kAutresLignesMontrees)) +
                    " autres (« zor-cli convert --liste » les montre toutes).";
          break;
        }
        const conversion::LigneGpx& l = r.lignes[i];
        autres += "\nligne " + std::to_string(l.numero) + " : " + (l.route ? "route" : "trace") +
                  (l.nom.empty() ? "" : " « " + l.nom + " »") + ", " + pluriel(l.points, "point", "points") + ", " +
                  conversion::kilometres(l.longueur);
      }
      paragraphe(autres + "\nPour en convertir une autre : zor-cli convert --ligne N « " + nomFichier + " ».");
    }
  }
  if (r.pointsDeTrace > 0)
    paragraphe(pluriel(r.pointsDeTrace, "point de trace (<trk>) n'a pas été pris", "points de trace (<trk>) n'ont pas été pris") +
               " : ce ne sont pas des waypoints. Cochez « profil de carte » pour envoyer la trace.");
  if (mode == conversion::Mode::Profil && r.enregistrements > 999)
    paragraphe("Attention : " + entierEnFrancais(r.enregistrements) +
               " points de profil : à partir du millième, leurs noms passent huit caractères (PDC10000A…), ce que "
               "le GPS peut refuser.");
  return texte;
}

}  // namespace

void Form1::fichierDonne(const std::string& fichier) {
  fichierEnCours_ = true;
  struct Fin {
    bool& drapeau;
    ~Fin() { drapeau = false; }
  } fin{fichierEnCours_};

  // The window of a conversion: the port list shown, the banner and its caption as an upload
  // wants them (a download changed them), the option buttons and the conversion button back.
  for (Controle* c : {&zor, &prtd})
    if (c->Caption() != c->description().caption) c->Caption(c->description().caption);
  for (Controle* c : {&ok, &ok1, &Label2}) c->Visible(false);
  for (Controle* c : {&Comm, &prtd, &profil, &waypoint, &Label1, &ouvrir, &sortie}) c->Visible(true);
  preparerConversion();

  const conversion::Mode mode = profil.Value() ? conversion::Mode::Profil : conversion::Mode::Waypoint;
  std::error_code ec;
  const std::filesystem::path chemin = std::filesystem::absolute(platform::cheminDepuisUtf8(fichier), ec);
  std::string echo;
  conversion::Rapport rapport;
  try {
    // A folder, or a file that cannot be read, converts nothing: the interchange file and the
    // echo stay as they were, and nothing is said, as when « Rechercher Fichier » fails.
    rapport = conversion::convertirFichierDonne(chemin, nom.Text(), mode, platform::cheminLocal(ecriture.FileName), &echo);
  } catch (...) {
    return;
  }
  afficherEcho(std::move(echo));
  finConversion(rapport.enregistrements);
  if (rapport.enregistrements == 0) return;
  if (const std::string texte = resumer(rapport, mode, platform::utf8DuChemin(chemin.filename())); !texte.empty())
    MsgBox(texte, Boutons::Ok, Icone::Information);
}

}  // namespace zor::app
