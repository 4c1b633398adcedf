#include "serial/reception.h"

#include "platform/pause.h"

namespace zor::serie {
namespace {

// How long one wait in the system lasts while the receiver is silent: short enough to notice
// the silence bound in time, long enough to cost nothing.
constexpr std::chrono::milliseconds kAttente{100};

class Silence {
 public:
  explicit Silence(std::chrono::milliseconds max) : max_(max), dernier_(platform::maintenant()) {}
  void noter(const std::string& lu) {
    if (!lu.empty()) dernier_ = platform::maintenant();
  }
  bool depasse() const { return platform::maintenant() - dernier_ >= max_; }

 private:
  std::chrono::milliseconds max_;
  platform::Instant dernier_;
};

}  // namespace

BilanReception recevoir(Port& port, std::optional<int> numeroPort, const Affichage& affichage,
                        std::chrono::milliseconds silenceMax) {
  BilanReception bilan;
  try {
    port.Settings("4800,N,8,2");
    if (numeroPort) port.CommPort(*numeroPort);
    port.PortOpen(true);
    port.InputMode(0);
    port.InputLen(1);

    Silence silence(silenceMax);
    auto arreterSurSilence = [&] {
      Panne p = pannePort(port, Panne::Genre::Silence);
      p.silenceMs = silenceMax.count();
      bilan.panne = p;
    };

    // Everything up to and including the first CR is dropped.
    for (std::string lu; lu != "\r";) {
      lu = port.Input();
      silence.noter(lu);
      if (!lu.empty()) continue;
      if (silence.depasse()) {
        arreterSurSilence();
        break;
      }
      port.attendreReception(kAttente);
    }

    if (!bilan.panne) {
      std::optional<std::string> premier;  // unset compares as the empty text
      int compteur = 0;
      for (;;) {
        port.InputLen(kLongueurLecture);
        const std::string lu = port.Input();
        silence.noter(lu);
        const std::string enregistrement = lu.substr(0, kLongueurEnregistrement);
        if (enregistrement == premier.value_or(std::string())) break;
        if (lu.empty() && silence.depasse()) {
          arreterSurSilence();
          break;
        }
        platform::Sleep(kPauseEntrePassages);
        if (compteur == 1) premier = enregistrement;
        ++compteur;
        affichage.fenetre(enregistrement);
        if (compteur > 1) {
          bilan.collecte += lu;
          bilan.stockes = compteur - 1;
        }
        affichage.result(compteur - 1);
      }
    }
    port.Output("\x1a");
  } catch (const ErreurPort& e) {
    port.abandonner();
    if (!bilan.panne) bilan.panne = e.panne();
  }
  return bilan;
}

}  // namespace zor::serie
