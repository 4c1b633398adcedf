#include "serial/mscomm.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "serial/peripherique.h"

namespace zor::serie {

Reglages lireReglages(std::string_view texte) {
  std::string_view champs[4];
  for (int i = 0; i < 4; ++i) {
    const auto virgule = texte.find(',');
    if ((i < 3) == (virgule == std::string_view::npos)) throw std::invalid_argument("réglages de ligne invalides");
    champs[i] = texte.substr(0, virgule);
    texte = virgule == std::string_view::npos ? std::string_view{} : texte.substr(virgule + 1);
  }
  auto entier = [](std::string_view s) {
    int v = 0;
    const auto [fin, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || fin != s.data() + s.size()) throw std::invalid_argument("réglages de ligne invalides");
    return v;
  };
  Reglages r;
  r.bauds = entier(champs[0]);
  if (champs[1].size() != 1 || std::string_view("NEOMS").find(champs[1][0]) == std::string_view::npos)
    throw std::invalid_argument("parité invalide");
  r.parite = champs[1][0];
  r.bitsDonnees = entier(champs[2]);
  r.bitsStop = champs[3] == "1.5" ? 15 : entier(champs[3]);
  if (r.bauds <= 0 || r.bitsDonnees < 5 || r.bitsDonnees > 8 || (r.bitsStop != 1 && r.bitsStop != 2 && r.bitsStop != 15))
    throw std::invalid_argument("réglages de ligne invalides");
  return r;
}

namespace {
// What waits unread is held in memory. A receiver at 4800 baud sends 436 bytes a second and a
// download takes 160: even its longest run stays far below this. Only a device flooding far
// beyond the line's speed reaches it; the excess is then dropped, as a full serial buffer does.
constexpr std::size_t kAttenteMax = 4 << 20;
}  // namespace

MSComm::MSComm(FabriqueLiaison fabrique, QObject* parent) : QObject(parent), liaison_(fabrique()) {
  // Only while the event loop runs with the port open; during a transfer Input collects.
  liaison_->surArrivee([this] {
    if (!ouvert_) return;
    try {
      tirer();
    } catch (const Echec&) {
      // The next operation of the transfer reports it.
    }
  });
}

MSComm::~MSComm() { abandonner(); }

void MSComm::Settings(std::string_view reglages) {
  reglages_ = lireReglages(reglages);
  texteReglages_ = std::string(reglages);
}

void MSComm::CommPort(int numero) {
  if (ouvert_) throw std::logic_error("CommPort ne change pas quand le port est ouvert");
  if (numero < 1) throw std::invalid_argument("numéro de port invalide");
  numero_ = numero;
  peripheriqueImpose_.reset();
  peripheriqueTrouve_.reset();
}

void MSComm::definirPeripherique(std::string peripherique) {
  if (ouvert_) throw std::logic_error("le périphérique ne change pas quand le port est ouvert");
  peripheriqueImpose_ = std::move(peripherique);
  peripheriqueTrouve_.reset();
}

int MSComm::numeroAffiche() const { return peripheriqueImpose_ ? 0 : numero_; }

std::string MSComm::peripherique() const {
  if (peripheriqueImpose_) return *peripheriqueImpose_;
  if (peripheriqueTrouve_) return *peripheriqueTrouve_;
  return peripheriqueDuPort(numero_, detection_);
}

void MSComm::PortOpen(bool ouvrir) {
  if (ouvrir == ouvert_) return;
  recu_.clear();
  try {
    if (ouvrir) {
      if (!peripheriqueImpose_) {
        const Correspondance c = correspondance(numero_, detection_);
        peripheriqueTrouve_ = c.peripherique;
        if (c.erreurConfiguration)
          throw Echec(erreurFichier(Erreur::Genre::FichierIllisible, c.configuration.string(), *c.erreurConfiguration));
      }
      liaison_->ouvrir(peripherique(), reglages_);
      ouvert_ = true;
      commEvent_ = 0;
    } else {
      ouvert_ = false;
      liaison_->fermer(true);
    }
  } catch (const Echec& e) {
    relancer(e);
  }
}

void MSComm::InputMode(int mode) {
  if (mode != 0 && mode != 1) throw std::invalid_argument("InputMode vaut 0 ou 1");
}

void MSComm::InputLen(int longueur) {
  if (longueur < 0) throw std::invalid_argument("InputLen négatif");
  inputLen_ = longueur;
}

std::string MSComm::Input() {
  if (!ouvert_) throw std::logic_error("Input sur un port fermé");
  // What is already here answers a short read without asking the device again.
  if (inputLen_ == 0 || recu_.size() < static_cast<std::size_t>(inputLen_)) tirer();
  const std::size_t n = inputLen_ == 0 ? recu_.size() : std::min<std::size_t>(recu_.size(), inputLen_);
  std::string lu = recu_.substr(0, n);
  recu_.erase(0, n);
  return lu;
}

void MSComm::Output(std::string_view octets) {
  if (!ouvert_) throw std::logic_error("Output sur un port fermé");
  try {
    liaison_->ecrire(octets);
  } catch (const Echec& e) {
    relancer(e);
  }
}

std::size_t MSComm::enAttente() {
  if (!ouvert_) return 0;
  tirer();
  return recu_.size();
}

void MSComm::attendreReception(std::chrono::milliseconds delaiMax) {
  if (!ouvert_ || tirer()) return;
  try {
    liaison_->attendre(delaiMax);
  } catch (const Echec& e) {
    relancer(e);
  }
}

bool MSComm::tirer() {
  std::string octets;
  try {
    octets = liaison_->lire();
  } catch (const Echec& e) {
    relancer(e);
  }
  if (octets.empty()) return false;
  recevoir(std::move(octets));
  return true;
}

void MSComm::abandonner() noexcept {
  recu_.clear();
  if (!ouvert_) return;
  ouvert_ = false;
  try {
    liaison_->fermer(false);
  } catch (...) {
    // Already failing: the first error is the one the user hears about.
  }
}

void MSComm::recevoir(std::string octets) {
  if (observateur_) observateur_(octets);
  if (octets.find('\x1a') != std::string::npos) {
    commEvent_ = comEvEOF;
    annoncer();
  }
  if (recu_.size() < kAttenteMax) recu_.append(octets, 0, kAttenteMax - recu_.size());
}

void MSComm::annoncer() {
  if (retenues_ > 0) {
    evenementRetenu_ = true;
    return;
  }
  QMetaObject::invokeMethod(this, [this] { emit OnComm(); }, Qt::QueuedConnection);
}

void MSComm::retenirEvenements() { ++retenues_; }

void MSComm::libererEvenements() {
  if (retenues_ > 0 && --retenues_ == 0 && evenementRetenu_) {
    evenementRetenu_ = false;
    annoncer();
  }
}

void MSComm::relancer(const Echec& e) const {
  Erreur erreur = e.erreur();
  erreur.numeroPort = numeroAffiche();
  erreur.peripherique = peripherique();
  throw Echec(std::move(erreur));
}

}  // namespace zor::serie
