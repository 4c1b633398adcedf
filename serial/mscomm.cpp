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

MSComm::MSComm(QObject* parent) : QObject(parent), liaison_(fabriquerLiaison()) {
  // Only while the event loop runs with the port open; during a transfer Input collects.
  liaison_->surArrivee([this] {
    if (!ouvert_) return;
    try {
      recevoir(liaison_->lire());
    } catch (const ErreurPort&) {
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
}

void MSComm::definirPeripherique(std::string peripherique) {
  if (ouvert_) throw std::logic_error("le périphérique ne change pas quand le port est ouvert");
  peripheriqueImpose_ = std::move(peripherique);
}

int MSComm::numeroAffiche() const { return peripheriqueImpose_ ? 0 : numero_; }

std::string MSComm::peripherique() const {
  return peripheriqueImpose_ ? *peripheriqueImpose_ : peripheriqueDuPort(numero_);
}

void MSComm::PortOpen(bool ouvrir) {
  if (ouvrir == ouvert_) return;
  recu_.clear();
  try {
    if (ouvrir) {
      liaison_->ouvrir(peripherique(), reglages_);
      ouvert_ = true;
      commEvent_ = 0;
    } else {
      ouvert_ = false;
      liaison_->fermer(true);
    }
  } catch (const ErreurPort& e) {
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
  try {
    recevoir(liaison_->lire());
  } catch (const ErreurPort& e) {
    relancer(e);
  }
  const std::size_t n = inputLen_ == 0 ? recu_.size() : std::min<std::size_t>(recu_.size(), inputLen_);
  std::string lu = recu_.substr(0, n);
  recu_.erase(0, n);
  return lu;
}

void MSComm::Output(std::string_view octets) {
  if (!ouvert_) throw std::logic_error("Output sur un port fermé");
  try {
    liaison_->ecrire(octets);
  } catch (const ErreurPort& e) {
    relancer(e);
  }
}

void MSComm::attendreReception(std::chrono::milliseconds delaiMax) {
  if (!ouvert_ || !recu_.empty()) return;
  try {
    liaison_->attendre(delaiMax);
  } catch (const ErreurPort& e) {
    relancer(e);
  }
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
  if (octets.find('\x1a') != std::string::npos) {
    commEvent_ = comEvEOF;
    annoncer();
  }
  recu_ += octets;
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

void MSComm::relancer(const ErreurPort& e) const {
  Panne p = e.panne();
  p.numeroPort = numeroAffiche();
  p.peripherique = peripherique();
  throw ErreurPort(std::move(p));
}

}  // namespace zor::serie
