#include "serial/reception.h"

#include <algorithm>

namespace zor::serie {
namespace {

using std::chrono::milliseconds;

// How long one wait in the system lasts at most: short enough to see a bound or a request to
// stop in time, long enough to cost nothing.
constexpr milliseconds kAttente{100};

class Collecte {
 public:
  Collecte(Port& port, Horloge& horloge, const OptionsReception& o, BilanReception& bilan)
      : port_(port), horloge_(horloge), o_(o), bilan_(bilan) {}

  // Everything up to and including the first CR is dropped. Gives up when no CR has come
  // within the silence bound, whether the line is silent or sending something else.
  bool synchroniser() {
    const auto debut = horloge_.maintenant();
    bool quelqueChose = false;
    for (;;) {
      const std::string lu = port_.Input();
      if (lu == "\r") return true;
      quelqueChose = quelqueChose || !lu.empty();
      if (arreter()) return false;
      const auto ecoule = horloge_.maintenant() - debut;
      if (ecoule >= o_.silenceMax) {
        echouer(quelqueChose ? Erreur::Genre::SansFinDeLigne : Erreur::Genre::Silence);
        return false;
      }
      if (lu.empty()) port_.attendreReception(std::min(kAttente, reste(ecoule)));
    }
  }

  // Waits until a whole read has arrived, or the receiver has paused with fewer characters
  // there, or nothing at all came within the silence bound. So a receiver sending in real time
  // gives the same reads as one whose whole stream was already waiting.
  // Returns how many bytes were there when the wait ended.
  std::size_t attendreLecture() {
    std::size_t la = port_.enAttente();
    if (la > attendus_) derniere_ = horloge_.maintenant();
    while (la < static_cast<std::size_t>(kLongueurLecture)) {
      if (arreter()) return la;
      const auto calme = horloge_.maintenant() - derniere_;
      if (la > 0 && calme >= kPauseDuGps) break;
      if (calme >= o_.silenceMax) break;
      const auto borne = la > 0 ? kPauseDuGps : o_.silenceMax;
      port_.attendreReception(std::min(kAttente, std::chrono::duration_cast<milliseconds>(borne - calme)));
      const std::size_t maintenant = port_.enAttente();
      if (maintenant > la) derniere_ = horloge_.maintenant();
      la = maintenant;
    }
    return la;
  }

  void collecter() {
    derniere_ = horloge_.maintenant();
    std::optional<std::string> premier;  // unset compares as the empty text
    int compteur = 0;
    for (;;) {
      port_.InputLen(kLongueurLecture);
      const std::size_t la = attendreLecture();
      if (bilan_.erreur) return;
      const std::string lu = port_.Input();
      // Anything beyond counts as new at the next look: it came during this read at the latest.
      attendus_ = la > lu.size() ? la - lu.size() : 0;
      if (lu.empty()) {
        echouer(Erreur::Genre::Silence);
        return;
      }
      const std::string enregistrement = lu.substr(0, kLongueurEnregistrement);
      if (enregistrement == premier.value_or(std::string())) return;
      pauser();
      if (compteur == 1) premier = enregistrement;
      ++compteur;
      affichage_->fenetre(enregistrement);
      if (compteur > 1) {
        bilan_.collecte += lu;
        bilan_.stockes = compteur - 1;
      }
      affichage_->result(compteur - 1);
      if (bilan_.stockes >= o_.lecturesMax) {
        Erreur e = erreurDuPort(port_, Erreur::Genre::TropDEnregistrements);
        e.limite = o_.lecturesMax;
        bilan_.erreur = e;
        return;
      }
      if (arreter()) return;
    }
  }

  const Affichage* affichage_ = nullptr;

 private:
  void pauser() {
    if (!o_.pausesALEcoute) {
      horloge_.dormir(kPauseEntrePassages);
      return;
    }
    const auto fin = horloge_.maintenant() + kPauseEntrePassages;
    for (auto t = horloge_.maintenant(); t < fin; t = horloge_.maintenant()) {
      port_.attendreReception(std::min(milliseconds(20), std::chrono::duration_cast<milliseconds>(fin - t) + milliseconds(1)));
      port_.enAttente();
    }
  }

  milliseconds reste(Instant::duration ecoule) const {
    return std::max(milliseconds(1), std::chrono::duration_cast<milliseconds>(o_.silenceMax - ecoule));
  }

  bool arreter() {
    if (bilan_.erreur) return true;
    if (!o_.interrompu || !o_.interrompu()) return false;
    bilan_.erreur = erreurDuPort(port_, Erreur::Genre::Interruption);
    return true;
  }

  void echouer(Erreur::Genre genre) {
    Erreur e = erreurDuPort(port_, genre);
    e.dureeMs = o_.silenceMax.count();
    bilan_.erreur = e;
  }

  Port& port_;
  Horloge& horloge_;
  const OptionsReception& o_;
  BilanReception& bilan_;
  Instant derniere_{};  // when the last bytes came in
  std::size_t attendus_ = 0;      // bytes left waiting after the last read
};

}  // namespace

BilanReception recevoir(Port& port, Horloge& horloge, const OptionsReception& options,
                        const Affichage& affichage) {
  BilanReception bilan;
  try {
    port.Settings("4800,N,8,2");
    if (options.numeroPort) port.CommPort(*options.numeroPort);
    port.PortOpen(true);
    port.InputMode(0);
    port.InputLen(1);
    Collecte collecte(port, horloge, options, bilan);
    collecte.affichage_ = &affichage;
    if (collecte.synchroniser()) collecte.collecter();
    port.Output("\x1a");
  } catch (const Echec& e) {
    port.abandonner();
    if (!bilan.erreur) bilan.erreur = e.erreur();
  } catch (const std::bad_alloc&) {
    port.abandonner();
    bilan.erreur = erreurDuPort(port, Erreur::Genre::MemoireInsuffisante);
  }
  return bilan;
}

}  // namespace zor::serie
