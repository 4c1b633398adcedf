#include "serial/reception.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

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

  // Everything up to and including the first CR is dropped. Gives up when no CR has come
  // within the silence bound, whether the line is silent or sending something else.
  bool synchroniser() {
    const auto debut = horloge_.maintenant();
    bool quelqueChose = false;
    std::string lu;
    port_.InputLen(1);
    for (;;) {
      if (panne(port_.Input(lu))) return false;
      if (lu == "\r") return true;
      quelqueChose = quelqueChose || !lu.empty();
      if (arreter()) return false;
      const auto ecoule = horloge_.maintenant() - debut;
      if (ecoule >= o_.silenceMax) {
        echouer(quelqueChose ? Erreur::Genre::SansFinDeLigne : Erreur::Genre::Silence);
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
      if (!finVue && !attendreOctets(debut + kLongueurLecture)) break;
      chercherFin();
      if (fin_ && *fin_ <= debut) {
        // The record of the second read again: this read is neither counted nor stored.
        bilan_.collecte.assign(recu_, kLongueurLecture, *fin_ - kLongueurLecture);
        return;
      }
      // A read stops where the second record comes round again off the grid.
      const std::size_t longueur = std::min<std::size_t>(kLongueurLecture, fin_.value_or(SIZE_MAX) - debut);
      const std::string_view lu = std::string_view(recu_).substr(debut, longueur);
      if (!pauser()) break;
      if (compteur == 1) poserDeuxieme(lu.substr(0, kLongueurEnregistrement));
      ++compteur;
      debut += longueur;
      suivi_.element(lu.substr(0, kLongueurEnregistrement));
      if (compteur > 1) bilan_.stockes = compteur - 1;
      suivi_.compte(compteur - 1);
      if (bilan_.stockes >= o_.lecturesMax) {
        Erreur e = port_.erreur(Erreur::Genre::TropDEnregistrements);
        e.limite = o_.lecturesMax;
        bilan_.erreur = e;
        break;
      }
      if (arreter()) break;
    }
    // A failed collection keeps everything that came, what waits unread in the port included.
    std::string reste;
    port_.InputLen(0);
    if (!enPanne_ && !port_.Input(reste)) ajouter(reste);
    bilan_.collecte = std::move(recu_);
  }

  bool enPanne() const { return enPanne_; }

 private:
  // Takes from the port until `n` bytes have been received after the first CR, or the end has
  // been found before them. False when the receiver fell silent for the bound, the user
  // stopped or the port failed.
  bool attendreOctets(std::size_t n) {
    std::string lu;
    for (;;) {
      // The end found before `n` needs nothing more.
      if (recu_.size() >= n || (fin_ && *fin_ < n)) return true;
      // Everything that has arrived: the end may lie just past the read.
      port_.InputLen(0);
      if (panne(port_.Input(lu))) return false;
      if (!lu.empty()) {
        derniere_ = horloge_.maintenant();
        ajouter(lu);
        chercherFin();
        continue;
      }
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
  }
  void poserDeuxieme(std::string_view enregistrement) {
    deuxieme_.clear();
    for (char c : enregistrement)
      if (compare(c)) deuxieme_.push_back(c);
    // It can only come round again after its own read.
    cherche_ = static_cast<std::size_t>(
        std::lower_bound(positions_.begin(), positions_.end(), 2 * kLongueurLecture) - positions_.begin());
    chercherFin();
  }
  void chercherFin() {
    if (fin_ || deuxieme_.empty() || compares_.size() < cherche_ + deuxieme_.size()) return;
    const std::size_t trouve = std::string_view(compares_).find(deuxieme_, cherche_);
    if (trouve != std::string_view::npos) fin_ = positions_[trouve];
    else cherche_ = compares_.size() - deuxieme_.size() + 1;
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

  MSComm& port_;
  Horloge& horloge_;
  const OptionsReception& o_;
  const Suivi& suivi_;
  BilanReception& bilan_;
  Instant derniere_{};        // when the last bytes came in
  std::string recu_;          // everything received after the first CR
  std::string compares_;      // the same without stray control characters
  std::vector<std::size_t> positions_;  // where each byte of compares_ stands in recu_
  std::string deuxieme_;      // the record of the second read, as compared
  std::size_t cherche_ = 0;   // where in compares_ it is looked for next
  std::optional<std::size_t> fin_;  // where in recu_ it came round again
  bool enPanne_ = false;
};

}  // namespace

BilanReception recevoir(MSComm& port, Horloge& horloge, const OptionsReception& options, const Suivi& suivi) {
  BilanReception bilan;
  port.Settings(kReglagesGps);
  if (options.numeroPort) port.CommPort(*options.numeroPort);
  if ((bilan.erreur = port.ouvrir())) return bilan;
  Collecte collecte(port, horloge, options, suivi, bilan);
  try {
    if (collecte.synchroniser()) collecte.collecter();
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
