#include "serial/reception.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string_view>
#include <vector>

#include "serial/examen_flux.h"

namespace zor::serie {
namespace {

using std::chrono::milliseconds;

// How long one wait in the system lasts at most: short enough to see a bound or a request to
// stop in time, long enough to cost nothing.
constexpr milliseconds kAttente{100};

class Collecte {
 public:
  Collecte(MSComm& port, Horloge& horloge, const OptionsReception& o, const Suivi& suivi, BilanReception& bilan)
      : port_(port), horloge_(horloge), o_(o), suivi_(suivi), bilan_(bilan) {}

  void executer() {
    if (synchroniser()) collecter();
    if (!bilan_.erreur) return;
    // A failed collection keeps everything that came, what waits unread in the port included
    // (and what a failing device still held).
    std::string reste;
    port_.InputLen(0);
    port_.Input(reste);
    if (!bilan_.finDeLigne) {
      const std::size_t cr = reste.find('\r');
      bilan_.avantFinDeLigne += cr == std::string::npos ? reste.size() : cr + 1;
      if (cr == std::string::npos) {
        reste.clear();
      } else {
        reste.erase(0, cr + 1);
        bilan_.finDeLigne = true;
      }
    }
    ajouter(reste);
    bilan_.collecte = std::move(recu_);
  }

  bool enPanne() const { return enPanne_; }

 private:
  // Everything up to and including the first CR is dropped. Gives up when no CR has come
  // within the silence bound, whether the line is silent or sending something else, or when
  // what comes cannot be a list of waypoints.
  bool synchroniser() {
    const auto debut = horloge_.maintenant();
    std::string lu;
    port_.InputLen(1);
    for (;;) {
      const auto e = port_.Input(lu);
      bilan_.avantFinDeLigne += lu.size();
      examen_.ajouter(lu);
      if (lu == "\r") bilan_.finDeLigne = true;
      if (panne(e)) return false;
      if (bilan_.finDeLigne) return true;
      if (!examiner() || arreter()) return false;
      const auto ecoule = horloge_.maintenant() - debut;
      if (ecoule >= o_.silenceMax) {
        echouer(bilan_.avantFinDeLigne > 0 ? Erreur::Genre::SansFinDeLigne : Erreur::Genre::Silence);
        return false;
      }
      if (lu.empty() && !attendre(std::min(kAttente, reste(ecoule)))) return false;
    }
  }

  void collecter() {
    derniere_ = horloge_.maintenant();
    int compteur = 0;
    std::size_t debut = 0;  // where the next read starts in what was received
    for (;;) {
      const bool finVue = fin_ && *fin_ <= debut;
      if (!finVue && !attendreOctets(debut + kLongueurLecture)) return;
      if (fin_ && *fin_ <= debut) {
        // The record of the second read again: this read is neither counted nor stored.
        bilan_.collecte.assign(recu_, kLongueurLecture, *fin_ - kLongueurLecture);
        return;
      }
      // A read stops where the second record comes round again off the grid.
      const std::size_t longueur = std::min<std::size_t>(kLongueurLecture, fin_.value_or(SIZE_MAX) - debut);
      const std::string_view lu = std::string_view(recu_).substr(debut, longueur);
      if (!pauser()) return;
      if (compteur >= 1 && compteur <= static_cast<int>(reperes_.size()) + 1)
        poser(compteur == 1 ? deuxieme_ : reperes_[compteur - 2], lu.substr(0, kLongueurEnregistrement), debut + longueur);
      ++compteur;
      debut += longueur;
      suivi_.element(lu.substr(0, kLongueurEnregistrement));
      if (compteur > 1) bilan_.stockes = compteur - 1;
      suivi_.compte(compteur - 1);
      if (bilan_.stockes >= o_.lecturesMax) {
        Erreur e = port_.erreur(Erreur::Genre::TropDEnregistrements);
        e.limite = o_.lecturesMax;
        bilan_.erreur = e;
        return;
      }
      if (arreter() || !examiner()) return;
    }
  }

  // Takes from the port until `n` bytes have been received after the first CR, or the end has
  // been found before them. False when the receiver fell silent for the bound, the user
  // stopped, the port failed or the stream cannot end.
  bool attendreOctets(std::size_t n) {
    std::string lu;
    for (;;) {
      // Everything that has arrived, at each pass: the end may lie just past the read, and a
      // stream that cannot end is seen as soon as its bytes are here.
      port_.InputLen(0);
      const auto e = port_.Input(lu);
      if (!lu.empty()) {
        derniere_ = horloge_.maintenant();
        examen_.ajouter(lu);
        ajouter(lu);
      }
      if (panne(e) || !examiner()) return false;
      // The end found before `n` needs nothing more.
      if (recu_.size() >= n || (fin_ && *fin_ < n)) return true;
      if (!lu.empty()) continue;
      if (arreter()) return false;
      const auto calme = horloge_.maintenant() - derniere_;
      if (calme >= o_.silenceMax) {
        echouer(Erreur::Genre::Silence);
        return false;
      }
      if (!attendre(std::min(kAttente, std::chrono::duration_cast<milliseconds>(o_.silenceMax - calme) + milliseconds(1))))
        return false;
    }
  }

  // A stream that cannot end stops the collection with its reason; unless the second record
  // came round before the bytes that tell it, whenever those bytes were taken in. That is known
  // once the second record is: until then a verdict that falls past where it could first come
  // round waits.
  bool examiner() {
    if (bilan_.erreur) return false;
    const auto genre = examen_.verdict();
    const std::size_t ou = examen_.octetsAuVerdict() - std::min(examen_.octetsAuVerdict(), bilan_.avantFinDeLigne);
    const bool finPossibleAvant = bilan_.finDeLigne && ou > 2 * kLongueurLecture + kLongueurEnregistrement;
    if (genre && finPossibleAvant && !deuxieme_.pose) return true;
    if (genre && !(finPossibleAvant && fin_ && *fin_ + kLongueurEnregistrement <= ou)) {
      Erreur e = port_.erreur(*genre);
      if (*genre == Erreur::Genre::SansFinDeLigne) e.limite = static_cast<long long>(kLigneRecueMax);
      e.detail = examen_.phrases();
      bilan_.erreur = e;
      return false;
    }
    if (listeSansRetour()) {
      bilan_.erreur = port_.erreur(Erreur::Genre::ListeSansRetour);
      return false;
    }
    return true;
  }

  // The end is looked for without the control characters a line may pick up besides the
  // receiver's text (a stray 26, a NUL): one of them inside the second record must not hide
  // it. The reads themselves keep every byte.
  static bool compare(char c) { return static_cast<unsigned char>(c) >= 0x20 || c == '\r' || c == '\n'; }
  void ajouter(std::string_view octets) {
    for (char c : octets) {
      if (compare(c)) {
        compares_.push_back(c);
        positions_.push_back(recu_.size());
      }
      recu_.push_back(c);
    }
    chercherFin();
  }

  // A record looked for where it comes round again, in the bytes as compared, from the end of
  // its own read on.
  struct Motif {
    std::string texte;
    std::size_t origine = 0;  // where its read starts
    std::size_t cherche = 0;  // where it is looked for next
    std::optional<std::size_t> retour;
    bool pose = false;
  };
  void poser(Motif& motif, std::string_view enregistrement, std::size_t finDeSaLecture) {
    motif.pose = true;
    for (char c : enregistrement)
      if (compare(c)) motif.texte.push_back(c);
    auto place = [this](std::size_t position) {
      return static_cast<std::size_t>(std::lower_bound(positions_.begin(), positions_.end(), position) - positions_.begin());
    };
    motif.origine = place(finDeSaLecture - std::min(finDeSaLecture, static_cast<std::size_t>(kLongueurLecture)));
    motif.cherche = place(finDeSaLecture);
    chercherFin();
  }
  void chercher(Motif& m) {
    if (m.retour || m.texte.empty() || compares_.size() < m.cherche + m.texte.size()) return;
    const std::size_t trouve = std::string_view(compares_).find(m.texte, m.cherche);
    if (trouve != std::string_view::npos) m.retour = trouve;
    else m.cherche = compares_.size() - m.texte.size() + 1;
  }
  void chercherFin() {
    chercher(deuxieme_);
    if (deuxieme_.retour) fin_ = positions_[*deuxieme_.retour];
    // Records too short to tell apart never count as coming round.
    for (Motif& m : reperes_)
      if (m.texte.size() >= kLongueurEnregistrement / 2) chercher(m);
  }

  // The records of the three reads after the second came round, in order, one cycle later
  // each, before the second did: the list went round without it, and never will end.
  bool listeSansRetour() const {
    for (const Motif& m : reperes_)
      if (!m.retour) return false;
    if (deuxieme_.retour && *deuxieme_.retour < *reperes_.back().retour) return false;
    const auto cycle = [](const Motif& m) { return static_cast<long long>(*m.retour - m.origine); };
    for (const Motif& m : reperes_)
      if (std::abs(cycle(m) - cycle(reperes_.front())) > kEcartCycle) return false;
    return true;
  }

  // The 400 ms between passes.
  bool pauser() {
    if (!o_.pausesALEcoute) {
      if (o_.veille) horloge_.dormirEnVeillant(kPauseEntrePassages, o_.veille);
      else horloge_.dormir(kPauseEntrePassages);
      return true;
    }
    const auto fin = horloge_.maintenant() + kPauseEntrePassages;
    for (auto t = horloge_.maintenant(); t < fin; t = horloge_.maintenant())
      if (!attendre(std::min(milliseconds(20), std::chrono::duration_cast<milliseconds>(fin - t) + milliseconds(1))))
        return false;
    return true;
  }

  bool attendre(milliseconds max) {
    const bool ok = !panne(port_.attendreReception(max));
    if (o_.veille) o_.veille();
    return ok;
  }

  milliseconds reste(Instant::duration ecoule) const {
    return std::max(milliseconds(1), std::chrono::duration_cast<milliseconds>(o_.silenceMax - ecoule));
  }

  bool arreter() {
    if (bilan_.erreur) return true;
    if (!o_.interrompu || !o_.interrompu()) return false;
    bilan_.erreur = port_.erreur(Erreur::Genre::Interruption);
    return true;
  }

  // A failure of the port itself: the collection ends there, nothing more goes to the device.
  bool panne(std::optional<Erreur> e) {
    if (!e) return false;
    if (!bilan_.erreur) bilan_.erreur = std::move(e);
    enPanne_ = true;
    return true;
  }

  void echouer(Erreur::Genre genre) {
    Erreur e = port_.erreur(genre);
    e.dureeMs = o_.silenceMax.count();
    bilan_.erreur = e;
  }

  // How far apart (in bytes) the three records may come round: a stray or lost byte between them.
  static constexpr long long kEcartCycle = 8;

  MSComm& port_;
  Horloge& horloge_;
  const OptionsReception& o_;
  const Suivi& suivi_;
  BilanReception& bilan_;
  ExamenFlux examen_;
  Instant derniere_{};        // when the last bytes came in
  std::string recu_;          // everything received after the first CR
  std::string compares_;      // the same without stray control characters
  std::vector<std::size_t> positions_;  // where each byte of compares_ stands in recu_
  Motif deuxieme_;            // the record of the second read: its return ends the collection
  std::array<Motif, 3> reperes_;  // the records of the three reads after it
  std::optional<std::size_t> fin_;  // where in recu_ it came round again
  bool enPanne_ = false;
};

}  // namespace

BilanReception recevoir(MSComm& port, Horloge& horloge, const OptionsReception& options, const Suivi& suivi) {
  BilanReception bilan;
  port.Settings(kReglagesGps);
  port.choisir(options.port);
  if ((bilan.erreur = port.ouvrir())) return bilan;
  Collecte collecte(port, horloge, options, suivi, bilan);
  try {
    collecte.executer();
  } catch (const std::bad_alloc&) {
    port.abandonner();
    bilan.erreur = port.erreur(Erreur::Genre::MemoireInsuffisante);
    return bilan;
  }
  if (collecte.enPanne()) {
    port.abandonner();
  } else if (auto e = port.Output("\x1a")) {
    port.abandonner();
    if (!bilan.erreur) bilan.erreur = e;  // the first failure is the one told
  }
  return bilan;
}

}  // namespace zor::serie
