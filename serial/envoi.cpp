#include "serial/envoi.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "convert/fins_de_ligne.h"
#include "convert/lignes.h"
#include "convert/phrase.h"
#include "convert/source.h"
#include "platform/chemins.h"

namespace zor::serie {
namespace {

// What a warning shows of a doubtful line.
constexpr std::size_t kDebutMontre = 80;

// The interchange file read as the converter's readers read it (convert/lignes.h): a line ends
// at CR LF or at a lone CR. Every line read, empty ones included, clears `fenetre` and shows
// the count; a line whose first character is "$" is sent with CR LF, then the pause.
class Televersement {
 public:
  // `enUneFois`: a stream read once (the standard input, a pipe), each line checked as it comes.
  Televersement(MSComm& port, Horloge& horloge, const Envoi& envoi, const Suivi& suivi, BilanEnvoi& bilan,
                bool enUneFois)
      : port_(port), horloge_(horloge), envoi_(envoi), suivi_(suivi), bilan_(bilan), verifier_(enUneFois) {}

  void entiere(std::string_view ligne) {
    commencer(ligne.front());
    ligne_.clear();
    if (phrase_) suite(ligne);
    terminer();
  }
  bool debut(char premier) {
    commencer(premier);
    ligne_.clear();
    if (!phrase_) terminer();
    return phrase_;
  }
  void suite(std::string_view morceau) {
    if (bilan_.erreur) return;
    if (ligne_.size() + morceau.size() > kLigneMax) {
      bilan_.erreur = ligneTropLongue(envoi_, compteurLignes_);
      return;
    }
    ligne_.append(morceau);
  }
  void fin() { terminer(); }
  void vide() {
    commencer('\0');
    terminer();
  }
  int lignes() const { return compteurLignes_; }
  bool arrete() {
    if (bilan_.erreur) return true;
    if (envoi_.interrompu && envoi_.interrompu()) bilan_.erreur = port_.erreur(Erreur::Genre::Interruption);
    return bilan_.erreur.has_value();
  }

 private:
  void commencer(char premier) {
    ++compteurLignes_;
    suivi_.element("");
    phrase_ = premier == '$';
    if (phrase_) ++compteur_;
  }
  void terminer() {
    if (phrase_ && !bilan_.erreur && verifier_) verifier();
    if (phrase_ && !bilan_.erreur) {
      ligne_ += "\r\n";
      if (envoyer(ligne_)) {
        bilan_.envoyees = compteur_;
        suivi_.element(ligne_);
        pauser();
      }
    }
    suivi_.compte(compteur_);
  }
  // The pause after a sentence; the user may stop the upload in its middle.
  void pauser() {
    if (!envoi_.interrompu) {
      if (envoi_.veille) horloge_.dormirEnVeillant(kPauseApresPhrase, envoi_.veille);
      else horloge_.dormir(kPauseApresPhrase);
      return;
    }
    // The slices end at one deadline kept by the clock: each sleep may last a little longer
    // than asked (a tick of 15.6 ms on Windows), and twelve of them would add up.
    constexpr std::chrono::milliseconds kTranche{50};
    const auto fin = horloge_.maintenant() + kPauseApresPhrase;
    while (!envoi_.interrompu()) {
      const auto reste = std::chrono::ceil<std::chrono::milliseconds>(fin - horloge_.maintenant());
      if (reste.count() <= 0) break;
      const auto tranche = std::min(reste, kTranche);
      if (envoi_.veille) horloge_.dormirEnVeillant(tranche, envoi_.veille);
      else horloge_.dormir(tranche);
    }
  }

  bool envoyer(std::string_view octets) {
    if (bilan_.erreur) return false;
    bilan_.erreur = port_.Output(octets);
    return !bilan_.erreur;
  }

  // From a stream a doubtful sentence is told as it comes, and refused with `strict`.
  void verifier() {
    std::string raison = defautDePhrase(ligne_);
    if (raison.empty()) return;
    if (envoi_.douteuse) envoi_.douteuse({compteurLignes_, ligne_.substr(0, kDebutMontre), std::move(raison)});
    if (!envoi_.strict) return;
    Erreur e = erreurFichier(Erreur::Genre::PhrasesDouteuses, envoi_.fichier.nom, 0);
    e.ligne = compteurLignes_;
    bilan_.erreur = e;
  }

  MSComm& port_;
  Horloge& horloge_;
  const Envoi& envoi_;
  const Suivi& suivi_;
  BilanEnvoi& bilan_;
  std::string ligne_;
  bool phrase_ = false;
  int compteur_ = 0;
  int compteurLignes_ = 0;
  const bool verifier_;
};

// A first look at a file: its sentences, its longest line, its line ends, its doubtful sentences.
class Apercu {
 public:
  explicit Apercu(std::size_t ligneMax) : ligneMax_(ligneMax) {}
  void entiere(std::string_view ligne) {
    if (!debut(ligne.front())) return;
    suite(ligne);
    fin();
  }
  bool debut(char premier) {
    ++lignes;
    ligne_.clear();
    if (premier != '$') return false;
    ++phrases;
    return true;
  }
  void suite(std::string_view morceau) {
    if (ligne_.size() + morceau.size() > ligneMax_ && ligneTropLongue == 0) ligneTropLongue = lignes;
    if (ligneTropLongue == 0) ligne_.append(morceau);
  }
  void fin() {
    if (ligneTropLongue != 0) return;
    std::string raison = defautDePhrase(ligne_);
    if (raison.empty()) return;
    ++resultat.nombreDouteuses;
    if (resultat.douteuses.size() < kDouteusesGardees)
      resultat.douteuses.push_back({lignes, ligne_.substr(0, kDebutMontre), std::move(raison)});
  }
  void vide() { ++lignes; }
  bool arrete() const { return ligneTropLongue != 0; }

  int phrases = 0;
  int lignes = 0;
  int ligneTropLongue = 0;  // the first line beyond the bound, counted from 1
  Envoi::Apercu resultat;

 private:
  std::size_t ligneMax_;
  std::string ligne_;
};

}  // namespace

std::string defautDePhrase(std::string_view ligne) {
  constexpr std::string_view kTete = "$GPWPL,";
  if (ligne.substr(0, kTete.size()) != kTete) return "ce n'est pas une phrase $GPWPL";
  const std::size_t etoile = ligne.rfind('*');
  auto chiffre = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  if (etoile == std::string_view::npos || etoile + 3 != ligne.size() || chiffre(ligne[etoile + 1]) < 0 ||
      chiffre(ligne[etoile + 2]) < 0)
    return "pas de somme de contrôle (« *HH » à la fin)";
  const int somme = conversion::sommeControle(ligne.substr(1, etoile - 1));
  if (chiffre(ligne[etoile + 1]) * 16 + chiffre(ligne[etoile + 2]) == somme) return {};
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("somme de contrôle fausse (*") + kHex[somme >> 4] + kHex[somme & 0x0F] + " attendue)";
}

Erreur ligneTropLongue(const Envoi& envoi, int ligne) {
  Erreur e = erreurFichier(Erreur::Genre::LigneTropLongue, envoi.fichier.nom, 0,
                           envoi.fichier.chemin == "-" ? std::string() : platform::utf8DuChemin(envoi.fichier.chemin));
  e.ligne = ligne;
  e.limite = static_cast<long long>(kLigneMax);
  return e;
}

bool fichierRefuse(const Erreur& e) {
  using G = Erreur::Genre;
  return e.genre == G::FichierIllisible || e.genre == G::FichierNonOrdinaire || e.genre == G::LienDUnAutre;
}

std::string resumer(const BilanEnvoi& bilan, const Envoi& envoi,
                    const std::function<std::string(const Erreur&)>& description) {
  const std::string compte = std::to_string(bilan.envoyees) + " phrase(s) envoyée(s)";
  if (!bilan.erreur) return compte + ".";
  if (fichierRefuse(*bilan.erreur)) return description(*bilan.erreur);
  return description(*bilan.erreur) + "\n\n" + compte + " (fichier " + envoi.fichier.nom + ").";
}

BilanEnvoi televerser(MSComm& port, Horloge& horloge, const Envoi& envoi, const Suivi& suivi) {
  BilanEnvoi bilan;
  const bool entreeStandard = envoi.fichier.chemin == "-";
  // The line keeps the settings the control was given (4800 baud, 8N2 by design).
  port.choisir(envoi.port);
  if ((bilan.erreur = port.ouvrir())) return bilan;
  // The reader names the file by its path; the user knows it by the program's name. Stopped
  // while the file waits (a FIFO with no writer yet, a silent pipe or terminal), it is the
  // transfer that was stopped.
  auto echec = [&](const Erreur& e) {
    if (e.genre == Erreur::Genre::Interruption) return port.erreur(Erreur::Genre::Interruption);
    Erreur nomme = erreurFichier(e.genre, envoi.fichier.nom, e.numeroSysteme,
                                 entreeStandard ? std::string() : platform::utf8DuChemin(envoi.fichier.chemin));
    nomme.detail = e.detail;
    return nomme;
  };
  try {
    std::unique_ptr<conversion::SourceFichier> fichier =
        entreeStandard ? std::make_unique<conversion::SourceFichier>(stdin, envoi.fichier.nom)
                       : std::make_unique<conversion::SourceFichier>(envoi.fichier.chemin, envoi.fichier.ordinaireSeulement);
    // A regular file is looked through first: nothing leaves when one of its lines is no
    // sentence at all. A pipe, a terminal or the standard input is read once, as it comes.
    const bool enUneFois = !fichier->relisible();
    if (!enUneFois) {
      conversion::FinsDeLigneVues source(*fichier);
      Apercu a(kLigneMax);
      conversion::parcourirLignes(source, a, envoi.finDeLigne);
      // A file of LF line ends is one long line: the refusal tells it, as the announcement does.
      bilan.seulementLF = source.seulementLF();
      a.resultat.phrases = a.phrases;
      a.resultat.seulementLF = source.seulementLF();
      if (a.ligneTropLongue != 0) {
        bilan.erreur = ligneTropLongue(envoi, a.ligneTropLongue);
      } else {
        if (envoi.annonce) envoi.annonce(a.resultat);
        if (envoi.strict && a.resultat.nombreDouteuses > 0) {
          Erreur e = erreurFichier(Erreur::Genre::PhrasesDouteuses, envoi.fichier.nom, 0, platform::utf8DuChemin(envoi.fichier.chemin));
          e.ligne = a.resultat.douteuses.front().ligne;
          e.limite = a.resultat.nombreDouteuses;
          bilan.erreur = e;
        }
      }
      if (!bilan.erreur) fichier->rembobiner();
    }
    if (!bilan.erreur) {
      conversion::FinsDeLigneVues source(*fichier);
      Televersement televersement(port, horloge, envoi, suivi, bilan, enUneFois);
      conversion::parcourirLignes(source, televersement, envoi.finDeLigne);
      bilan.seulementLF = source.seulementLF();
    }
  } catch (const Echec& e) {
    bilan.erreur = echec(e.erreur());
  } catch (const std::bad_alloc&) {
    bilan.erreur = erreurFichier(Erreur::Genre::MemoireInsuffisante, envoi.fichier.nom, 0, platform::utf8DuChemin(envoi.fichier.chemin));
  }
  if (bilan.erreur) port.abandonner();
  else bilan.erreur = port.fermer();
  return bilan;
}

}  // namespace zor::serie
