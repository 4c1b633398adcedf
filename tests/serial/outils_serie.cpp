#include "tests/serial/outils_serie.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

serie::Affichage Journal::affichage() {
  return {[this](std::string_view t) { noter("fenetre " + visible(t)); },
          [this](int n) { noter("result " + std::to_string(n)); }};
}

void HorlogeJournal::dormir(std::chrono::milliseconds duree) {
  HorlogeFactice::dormir(duree);
  journal_.noter("Sleep " + std::to_string(duree.count()));
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

Instant Arrivees::finAttente(Instant maintenant, std::chrono::milliseconds delai) const {
  const Instant fin = maintenant + delai;
  if (!pieces_.empty() && pieces_.front().first < fin) return std::max(maintenant, pieces_.front().first);
  return fin;
}

void FauxPort::PortOpen(bool ouvrir) {
  journal_.noter(std::string("PortOpen ") + (ouvrir ? "1" : "0"));
  if (ouvrir && echecOuverture) throw Echec(serie::erreurDuPort(*this, *echecOuverture, numeroEchecOuverture));
  ouvert_ = ouvrir;
  recu_.clear();
}

void FauxPort::InputLen(int n) {
  inputLen_ = n;
  journal_.noter("InputLen " + std::to_string(n));
}

// A read that finds nothing must be followed by a wait sooner or later: the fake clock only
// moves when the code under test waits or pauses, so a loop that never does would never end.
void FauxPort::tourneAVide() {
  if (horloge_.maintenant() != instantVu_) {
    instantVu_ = horloge_.maintenant();
    appelsSansAttente_ = 0;
  }
  if (++appelsSansAttente_ > 100000) throw std::logic_error("la réception tourne à vide sans attendre");
}

std::string FauxPort::Input() {
  if (++inputs == echecInputNumero) {
    journal_.noter("Input !");
    throw Echec(serie::erreurDuPort(*this, Erreur::Genre::LiaisonCoupee, EIO));
  }
  if (inputLen_ == 0 || recu_.size() < static_cast<std::size_t>(inputLen_)) recu_ += arrivees.prendre(horloge_.maintenant());
  const std::size_t n = inputLen_ == 0 ? recu_.size() : std::min<std::size_t>(recu_.size(), inputLen_);
  std::string lu = recu_.substr(0, n);
  recu_.erase(0, n);
  if (lu.empty()) tourneAVide();
  journal_.noter("Input " + visible(lu));
  return lu;
}

void FauxPort::Output(std::string_view octets) {
  if (++outputs_ == echecOutputNumero) {
    journal_.noter("Output !");
    throw Echec(serie::erreurDuPort(*this, Erreur::Genre::LiaisonCoupee, EIO));
  }
  ecrit += octets;
  plusLongueSortie = std::max(plusLongueSortie, octets.size());
  if (journaliserSorties) journal_.noter("Output " + visible(octets));
}

std::size_t FauxPort::enAttente() {
  const std::string nouveaux = arrivees.prendre(horloge_.maintenant());
  if (nouveaux.empty()) tourneAVide();
  recu_ += nouveaux;
  return recu_.size();
}

void FauxPort::attendreReception(std::chrono::milliseconds delai) {
  ++attentes;
  if (journaliserAttentes) journal_.noter("attendre " + std::to_string(delai.count()));
  horloge_.allerA(arrivees.finAttente(horloge_.maintenant(), delai));
}

void FauxPort::abandonner() noexcept {
  journal_.noter("abandonner");
  ouvert_ = false;
  recu_.clear();
}

namespace {

Echec coupure(Erreur::Genre genre) {
  Erreur e;
  e.genre = genre;
  e.numeroSysteme = EIO;
  return Echec(e);
}

class LiaisonScriptee : public serie::Liaison {
 public:
  explicit LiaisonScriptee(ScenarioLiaison& s) : s_(s) {}
  void ouvrir(const std::string& peripherique, const serie::Reglages& reglages) override {
    s_.journal.push_back("ouvrir " + peripherique);
    s_.peripherique = peripherique;
    s_.reglages = reglages;
    if (s_.echecOuverture) throw Echec(*s_.echecOuverture);
    s_.ouvert = true;
    ++s_.ouvertures;
    if (s_.aLOuverture) s_.aLOuverture();
  }
  void ecrire(std::string_view octets) override {
    if (++ecritures_ == s_.echecEcritureNumero) {
      s_.journal.push_back("ecrire !");
      throw coupure(Erreur::Genre::LiaisonCoupee);
    }
    s_.journal.push_back("ecrire " + visible(octets));
    s_.ecrit += octets;
  }
  std::string lire() override {
    const Instant maintenant = s_.horloge != nullptr ? s_.horloge->maintenant() : Instant::max();
    if (s_.coupure && maintenant >= Instant{} + *s_.coupure) throw coupure(Erreur::Genre::LiaisonCoupee);
    return s_.arrivees.prendre(maintenant);
  }
  void attendre(std::chrono::milliseconds delai) override {
    if (s_.horloge != nullptr) s_.horloge->allerA(s_.arrivees.finAttente(s_.horloge->maintenant(), delai));
  }
  void fermer(bool vider) override {
    s_.journal.push_back(vider ? "fermer en vidant" : "fermer sans vider");
    s_.ouvert = false;
  }
  void surArrivee(std::function<void()>) override {}

 private:
  ScenarioLiaison& s_;
  int ecritures_ = 0;
};

}  // namespace

serie::FabriqueLiaison liaisonScriptee(ScenarioLiaison& scenario) {
  return [&scenario]() -> std::unique_ptr<serie::Liaison> { return std::make_unique<LiaisonScriptee>(scenario); };
}

PairePty::PairePty() {
  char nom[256] = {};
  if (::openpty(&maitre_, &gardien_, nom, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
  esclave_ = nom;
  termios t{};
  ::tcgetattr(gardien_, &t);
  ::cfmakeraw(&t);
  ::tcsetattr(gardien_, TCSANOW, &t);
}

PairePty::~PairePty() {
  if (maitre_ >= 0) ::close(maitre_);
  if (gardien_ >= 0) ::close(gardien_);
}

void PairePty::ecrire(std::string_view octets) {
  while (!octets.empty()) {
    const ssize_t n = ::write(maitre_, octets.data(), octets.size());
    if (n <= 0) throw std::runtime_error("écriture sur le pseudo-terminal");
    octets.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::string PairePty::lire(std::size_t attendus, std::chrono::milliseconds delai) {
  std::string recu;
  const auto limite = std::chrono::steady_clock::now() + delai;
  for (;;) {
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
    pollfd p{maitre_, POLLIN, 0};
    const int attente = recu.size() >= attendus ? 0 : static_cast<int>(std::max<long long>(0, reste.count()));
    if (::poll(&p, 1, attente) <= 0 || (p.revents & POLLIN) == 0) break;
    char tampon[4096];
    const ssize_t n = ::read(maitre_, tampon, sizeof tampon);
    if (n <= 0) break;
    recu.append(tampon, static_cast<std::size_t>(n));
  }
  return recu;
}

void PairePty::raccrocher() {
  ::close(maitre_);
  maitre_ = -1;
}


}  // namespace zor::test
