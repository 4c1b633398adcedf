#include "tests/serial/outils_serie.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

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

void FauxPort::PortOpen(bool ouvrir) {
  journal_.noter(std::string("PortOpen ") + (ouvrir ? "1" : "0"));
  if (ouvrir && echecOuverture) throw serie::ErreurPort(serie::pannePort(*this, *echecOuverture, "raison du système"));
  ouvert_ = ouvrir;
}

std::string FauxPort::Input() {
  if (++inputs_ == echecInputNumero) {
    journal_.noter("Input !");
    throw serie::ErreurPort(serie::pannePort(*this, serie::Panne::Genre::LiaisonCoupee, "le périphérique a raccroché"));
  }
  std::string lu;
  if (!lectures.empty()) {
    lu = lectures.front();
    lectures.pop_front();
  }
  journal_.noter("Input " + visible(lu));
  return lu;
}

void FauxPort::Output(std::string_view octets) {
  if (++outputs_ == echecOutputNumero) {
    journal_.noter("Output !");
    throw serie::ErreurPort(serie::pannePort(*this, serie::Panne::Genre::LiaisonCoupee, "le périphérique a raccroché"));
  }
  journal_.noter("Output " + visible(octets));
}

void FauxPort::attendreReception(std::chrono::milliseconds delai) {
  ++attentes;
  if (journaliserAttentes) journal_.noter("attendre " + std::to_string(delai.count()));
  horloge_.avancer(delai);
}

void FauxPort::abandonner() noexcept {
  journal_.noter("abandonner");
  ouvert_ = false;
}

namespace {

class LiaisonScriptee : public serie::Liaison {
 public:
  explicit LiaisonScriptee(ScenarioLiaison& s) : s_(s) {}
  void ouvrir(const std::string& peripherique, const serie::Reglages& reglages) override {
    s_.journal.push_back("ouvrir " + peripherique);
    s_.peripherique = peripherique;
    s_.reglages = reglages;
    if (s_.echecOuverture) throw serie::ErreurPort(*s_.echecOuverture);
    s_.ouvert = true;
    ++s_.ouvertures;
  }
  void ecrire(std::string_view octets) override {
    if (++ecritures_ == s_.echecEcritureNumero) {
      s_.journal.push_back("ecrire !");
      serie::Panne p;
      p.genre = serie::Panne::Genre::LiaisonCoupee;
      p.raison = "le périphérique a raccroché";
      throw serie::ErreurPort(p);
    }
    s_.journal.push_back("ecrire " + visible(octets));
    s_.ecrit += octets;
  }
  std::string lire() override {
    if (++lectures_ == s_.echecLectureNumero) {
      serie::Panne p;
      p.genre = serie::Panne::Genre::LiaisonCoupee;
      p.raison = "le périphérique a raccroché";
      throw serie::ErreurPort(p);
    }
    if (s_.arrivees.empty()) return {};
    std::string a = s_.arrivees.front();
    s_.arrivees.pop_front();
    return a;
  }
  void attendre(std::chrono::milliseconds delai) override {
    if (s_.horloge != nullptr) s_.horloge->avancer(delai);
  }
  void fermer(bool vider) override {
    s_.journal.push_back(vider ? "fermer en vidant" : "fermer sans vider");
    s_.ouvert = false;
  }
  void surArrivee(std::function<void()>) override {}

 private:
  ScenarioLiaison& s_;
  int ecritures_ = 0;
  int lectures_ = 0;
};

}  // namespace

LiaisonsScriptees::LiaisonsScriptees(std::vector<ScenarioLiaison*> scenarios) : scenarios_(std::move(scenarios)) {
  serie::remplacerFabriqueLiaison([this]() -> std::unique_ptr<serie::Liaison> {
    if (suivant_ >= scenarios_.size()) throw std::logic_error("plus de scénario pour un nouveau port");
    return std::make_unique<LiaisonScriptee>(*scenarios_[suivant_++]);
  });
}

LiaisonsScriptees::~LiaisonsScriptees() { serie::remplacerFabriqueLiaison({}); }

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

PortEnvironnement::PortEnvironnement(int numero, const std::string& peripherique)
    : variable_("ZOR_COMM" + std::to_string(numero)) {
  if (const char* a = std::getenv(variable_.c_str())) ancien_ = a;
  ::setenv(variable_.c_str(), peripherique.c_str(), 1);
}

PortEnvironnement::~PortEnvironnement() {
  if (ancien_) ::setenv(variable_.c_str(), ancien_->c_str(), 1);
  else ::unsetenv(variable_.c_str());
}

}  // namespace zor::test
