#include "serial/mscomm.h"

#include <algorithm>

namespace zor::serie {
namespace {
// What waits unread is held in memory. A receiver at 4800 baud sends 436 bytes a second and a
// download takes 160: even its longest run stays far below this. Only a device flooding far
// beyond the line's speed reaches it; the excess is then dropped, as a full serial buffer does.
constexpr std::size_t kAttenteMax = 4 << 20;
}  // namespace

Erreur erreurDuPort(const PortDesigne& port, Erreur::Genre genre, int numeroSysteme) {
  Erreur e = erreurPort(genre, port.numero, port.peripherique, numeroSysteme);
  e.origine = port.origine;
  return e;
}

MSComm::MSComm(Services services) : services_(std::move(services)) {
  designe_.numero = numero_;
}

MSComm::~MSComm() { abandonner(); }

void MSComm::CommPort(int numero) {
  if (PortOpen() || numero < 1) return;
  numero_ = numero;
  peripheriqueImpose_.reset();
  designe_ = {numero_, {}, {}};
}

void MSComm::definirPeripherique(std::string peripherique) {
  if (PortOpen()) return;
  designe_ = {0, peripherique, {}};
  peripheriqueImpose_ = std::move(peripherique);
}

void MSComm::choisir(const ChoixPort& choix) {
  if (choix.numero) CommPort(*choix.numero);
  else if (choix.peripherique) definirPeripherique(*choix.peripherique);
}

std::optional<Erreur> MSComm::ouvrir() {
  if (PortOpen()) return std::nullopt;
  recu_.clear();
  commEvent_ = 0;
  if (peripheriqueImpose_) {
    designe_ = {0, *peripheriqueImpose_, {}};
  } else {
    Correspondance c = correspondance(numero_, services_.detection);
    designe_ = {numero_, c.peripherique, origineEnFrancais(c, numero_)};
    if (c.erreurConfiguration) {
      Erreur e = *c.erreurConfiguration;
      e.numeroPort = numero_;
      return e;
    }
  }
  Ouverture o = services_.ouvrir ? services_.ouvrir(designe_, reglages_) : Ouverture{};
  if (o.erreur || !o.liaison) return nommer(o.erreur ? o.erreur : erreur(Erreur::Genre::PortRefuse));
  liaison_ = std::move(o.liaison);
  return std::nullopt;
}

std::optional<Erreur> MSComm::fermer() {
  recu_.clear();
  if (!liaison_) return std::nullopt;
  std::unique_ptr<Liaison> liaison = std::move(liaison_);
  return nommer(liaison->fermer());
}

void MSComm::abandonner() noexcept {
  recu_.clear();
  if (!liaison_) return;
  liaison_->abandonner();
  liaison_.reset();
}

std::optional<Erreur> MSComm::prendre() {
  if (!liaison_) return std::nullopt;
  std::string octets;
  auto e = liaison_->lire(octets);
  if (!octets.empty()) recevoir(octets);
  return nommer(std::move(e));
}

std::optional<Erreur> MSComm::Input(std::string& lu) {
  lu.clear();
  // What is already here answers a short read without asking the device again.
  std::optional<Erreur> e;
  if (inputLen_ == 0 || recu_.size() < static_cast<std::size_t>(inputLen_)) e = prendre();
  const std::size_t n = inputLen_ == 0 ? recu_.size() : std::min<std::size_t>(recu_.size(), inputLen_);
  lu.assign(recu_, 0, n);
  recu_.erase(0, n);
  return e;
}

std::optional<Erreur> MSComm::Output(std::string_view octets) {
  if (!liaison_) return erreur(Erreur::Genre::LiaisonCoupee);
  return nommer(liaison_->ecrire(octets));
}

std::optional<Erreur> MSComm::attendreReception(std::chrono::milliseconds max) {
  if (!liaison_) return std::nullopt;
  const std::size_t avant = recu_.size();
  if (auto e = prendre()) return e;
  if (recu_.size() > avant) return std::nullopt;
  auto e = nommer(liaison_->attendre(max));
  auto suite = prendre();
  return e ? e : suite;
}

void MSComm::recevoir(std::string_view octets) {
  if (observateur_) observateur_(octets);
  if (octets.find('\x1a') != std::string_view::npos) {
    commEvent_ = comEvEOF;
    annoncer();
  }
  if (recu_.size() < kAttenteMax) recu_.append(octets.substr(0, kAttenteMax - recu_.size()));
}

void MSComm::annoncer() {
  if (retenues_ > 0) {
    evenementRetenu_ = true;
    return;
  }
  // The control may be gone by the time the loop comes to it.
  if (services_.plusTard) services_.plusTard([this, vivant = std::weak_ptr<bool>(vivant_)] {
      if (!vivant.expired() && OnComm) OnComm();
    });
}

void MSComm::libererEvenements() {
  if (retenues_ > 0 && --retenues_ == 0 && evenementRetenu_) {
    evenementRetenu_ = false;
    annoncer();
  }
}

std::optional<Erreur> MSComm::nommer(std::optional<Erreur> e) const {
  if (!e) return e;
  e->numeroPort = designe_.numero;
  e->peripherique = designe_.peripherique;
  e->origine = designe_.origine;
  return e;
}

}  // namespace zor::serie
