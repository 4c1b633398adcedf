#include "serial/reception.h"

#include <algorithm>
#include <new>

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
    // The record of the second read: the collection ends when it comes round again. Unset, it
    // compares as the empty text.
    std::optional<std::string> deuxieme;
    int compteur = 0;
    std::string lu;
    for (;;) {
      port_.InputLen(kLongueurLecture);
      const std::size_t la = attendreLecture();
      if (bilan_.erreur) return;
      if (panne(port_.Input(lu))) return;
      // Anything beyond counts as new at the next look: it came during this read at the latest.
      attendus_ = la > lu.size() ? la - lu.size() : 0;
      if (lu.empty()) {
        echouer(Erreur::Genre::Silence);
        return;
      }
      const std::string enregistrement = lu.substr(0, kLongueurEnregistrement);
      if (enregistrement == deuxieme.value_or(std::string())) return;
      if (!pauser()) return;
      if (compteur == 1) deuxieme = enregistrement;
      ++compteur;
      suivi_.element(enregistrement);
      if (compteur > 1) {
        bilan_.collecte += lu;
        bilan_.stockes = compteur - 1;
      }
      suivi_.compte(compteur - 1);
      if (bilan_.stockes >= o_.lecturesMax) {
        Erreur e = port_.erreur(Erreur::Genre::TropDEnregistrements);
        e.limite = o_.lecturesMax;
        bilan_.erreur = e;
        return;
      }
      if (arreter()) return;
    }
  }

  bool enPanne() const { return enPanne_; }

 private:
  // Waits until a whole read has arrived, or the receiver has paused with fewer characters
  // there, or nothing at all came within the silence bound. So a receiver sending in real time
  // gives the same reads as one whose whole stream was already waiting.
  // Returns how many bytes were there when the wait ended.
  std::size_t attendreLecture() {
    if (panne(port_.prendre())) return 0;
    std::size_t la = port_.enAttente();
    if (la > attendus_) derniere_ = horloge_.maintenant();
    while (la < static_cast<std::size_t>(kLongueurLecture)) {
      if (arreter()) return la;
      const auto calme = horloge_.maintenant() - derniere_;
      if (la > 0 && calme >= kPauseDuGps) break;
      if (calme >= o_.silenceMax) break;
      const auto borne = la > 0 ? kPauseDuGps : o_.silenceMax;
      if (!attendre(std::min(kAttente, std::chrono::duration_cast<milliseconds>(borne - calme)))) return la;
      const std::size_t maintenant = port_.enAttente();
      if (maintenant > la) derniere_ = horloge_.maintenant();
      la = maintenant;
    }
    return la;
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
  std::size_t attendus_ = 0;  // bytes left waiting after the last read
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
