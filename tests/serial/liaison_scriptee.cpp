#include "tests/serial/liaison_scriptee.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <stdexcept>

namespace zor::test {

std::string visible(std::string_view octets) {
  std::string s;
  for (unsigned char c : octets) {
    if (c == '\r') s += "\\r";
    else if (c == '\n') s += "\\n";
    else if (c < 32) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      s += code;
    } else s += static_cast<char>(c);
  }
  return s;
}

void Arrivees::ajouter(std::string octets, Microsecondes a) {
  const Instant quand = Instant{} + a;
  auto place = std::upper_bound(pieces_.begin(), pieces_.end(), quand,
                                [](Instant t, const auto& piece) { return t < piece.first; });
  pieces_.insert(place, {quand, std::move(octets)});
}

void Arrivees::enTempsReel(std::string_view flux, std::size_t morceau, Microsecondes debut, int bauds) {
  for (std::size_t i = 0; i < flux.size(); i += morceau) {
    const std::size_t fin = std::min(flux.size(), i + morceau);
    const auto duree = Microsecondes(static_cast<long long>(fin) * 11 * 1000000 / bauds);
    ajouter(std::string(flux.substr(i, fin - i)), debut + duree);
  }
}

std::string Arrivees::prendre(Instant maintenant) {
  std::string octets;
  while (!pieces_.empty() && pieces_.front().first <= maintenant) {
    octets += pieces_.front().second;
    pieces_.pop_front();
  }
  return octets;
}

std::size_t Arrivees::octetsRestants() const {
  std::size_t n = 0;
  for (const auto& piece : pieces_) n += piece.second.size();
  return n;
}

Instant Arrivees::finAttente(Instant maintenant, std::chrono::milliseconds delai) const {
  const Instant fin = maintenant + delai;
  if (!pieces_.empty() && pieces_.front().first < fin) return std::max(maintenant, pieces_.front().first);
  return fin;
}

namespace {

using std::chrono::milliseconds;

class LiaisonScriptee : public serie::Liaison {
 public:
  LiaisonScriptee(ScenarioLiaison& s, serie::PortDesigne port) : s_(s), port_(std::move(port)) {}

  std::optional<Erreur> lire(std::string& recu) override {
    if (s_.surLecture) s_.surLecture();
    const Instant t = s_.horloge != nullptr ? s_.horloge->maintenant() : Instant::max();
    if (s_.coupure && t >= Instant{} + *s_.coupure) {
      recu += s_.arrivees.prendre(Instant{} + *s_.coupure);
      return coupure();
    }
    const std::string octets = s_.arrivees.prendre(t);
    // The fake clock only moves when the code under test waits or pauses: a loop that reads
    // again and again without either would never end.
    if (octets.empty()) tourneAVide(t);
    recu += octets;
    return std::nullopt;
  }
  std::optional<Erreur> attendre(milliseconds max) override {
    ++s_.attentes;
    if (s_.horloge != nullptr) s_.horloge->allerA(s_.arrivees.finAttente(s_.horloge->maintenant(), max));
    return std::nullopt;
  }
  std::optional<Erreur> ecrire(std::string_view octets) override {
    if (++ecritures_ == s_.echecEcriture) return coupure();
    s_.ecrit += octets;
    s_.quand.push_back(s_.horloge != nullptr
                           ? std::chrono::duration_cast<milliseconds>(s_.horloge->maintenant() - Instant{})
                           : milliseconds(0));
    if (s_.surEcriture) s_.surEcriture();
    return std::nullopt;
  }
  std::optional<Erreur> fermer() override {
    s_.ouvert = false;
    ++s_.fermetures;
    return std::nullopt;
  }
  void abandonner() noexcept override {
    s_.ouvert = false;
    ++s_.abandons;
  }

 private:
  Erreur coupure() const { return serie::erreurDuPort(port_, Erreur::Genre::LiaisonCoupee, EIO); }
  void tourneAVide(Instant t) {
    if (t != vu_) {
      vu_ = t;
      aVide_ = 0;
    }
    if (++aVide_ > 100000) throw std::logic_error("la réception tourne à vide sans attendre");
  }

  ScenarioLiaison& s_;
  serie::PortDesigne port_;
  int ecritures_ = 0;
  Instant vu_{};
  int aVide_ = 0;
};

}  // namespace

serie::OuvrirLiaison liaisonScriptee(ScenarioLiaison& s) {
  return [&s](const serie::PortDesigne& port, const serie::Reglages& reglages) {
    s.ouverts.push_back(port);
    s.reglages = reglages;
    serie::Ouverture o;
    if (s.refus) o.erreur = s.refus(port);
    if (!o.erreur) {
      s.ouvert = true;
      o.liaison = std::make_unique<LiaisonScriptee>(s, port);
    }
    return o;
  };
}

serie::MSComm::Services servicesScriptes(ScenarioLiaison& scenario, std::vector<serie::PortSerie> presents,
                                         std::vector<std::function<void()>>* plusTard) {
  serie::MSComm::Services s{liaisonScriptee(scenario), [presents] { return presents; }, {}};
  if (plusTard != nullptr) s.plusTard = [plusTard](std::function<void()> f) { plusTard->push_back(std::move(f)); };
  return s;
}

}  // namespace zor::test
