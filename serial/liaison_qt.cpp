#include "serial/liaison_qt.h"

#include <cerrno>

#include "core/erreur.h"
#include "platform/peripherique_serie.h"
#include "platform/vidange_serie.h"

namespace zor::serie {
namespace {

using namespace std::chrono;

Echec echec(Erreur::Genre genre, int numeroSysteme) {
  Erreur e;
  e.genre = genre;
  e.numeroSysteme = numeroSysteme;
  return Echec(std::move(e));
}

platform::EchecOuverture echecOuverture(QSerialPort::SerialPortError code) {
  switch (code) {
    case QSerialPort::DeviceNotFoundError: return platform::EchecOuverture::Introuvable;
    case QSerialPort::PermissionError: return platform::EchecOuverture::Permission;
    case QSerialPort::UnsupportedOperationError: return platform::EchecOuverture::NonSupporte;
    case QSerialPort::NoError: return platform::EchecOuverture::DejaOuvert;  // refused without a system error
    default: break;
  }
  return platform::EchecOuverture::Autre;
}

// Keeps the arrival callback quiet while one of our own calls polls the device: Qt announces
// data from inside its waits, and the caller reads it right after anyway.
class Garde {
 public:
  explicit Garde(bool& drapeau) : drapeau_(drapeau), avant_(drapeau) { drapeau_ = true; }
  ~Garde() { drapeau_ = avant_; }

 private:
  bool& drapeau_;
  bool avant_;
};

}  // namespace

LiaisonQt::LiaisonQt() {
  QObject::connect(&port_, &QSerialPort::readyRead, [this] {
    if (!dansAppel_ && rappel_) rappel_();
  });
}

LiaisonQt::~LiaisonQt() {
  if (port_.isOpen()) port_.close();
}

void LiaisonQt::surArrivee(std::function<void()> rappel) { rappel_ = std::move(rappel); }

void LiaisonQt::ouvrir(const std::string& peripherique, const Reglages& r) {
  Garde garde(dansAppel_);
  peripherique_ = peripherique;
  bauds_ = r.bauds;
  port_.setPortName(QString::fromLocal8Bit(platform::nomDOuverture(peripherique).c_str()));
  // A lock of a running program: say which file reserves the port. A lock whose program has
  // ended is stale and does not count.
  if (const auto verrou = platform::verrouActif(peripherique)) {
    Erreur e;
    e.genre = Erreur::Genre::PortVerrouille;
    e.verrou = *verrou;
    throw Echec(std::move(e));
  }
  errno = 0;
  if (!port_.open(QIODevice::ReadWrite)) {
    const int numero = errno;
    const auto code = port_.error();
    port_.clearError();
    throw echec(platform::genreEchecOuverture(echecOuverture(code), peripherique, numero), numero);
  }
  QSerialPort::Parity parite = QSerialPort::NoParity;
  switch (r.parite) {
    case 'E': parite = QSerialPort::EvenParity; break;
    case 'O': parite = QSerialPort::OddParity; break;
    case 'M': parite = QSerialPort::MarkParity; break;
    case 'S': parite = QSerialPort::SpaceParity; break;
    default: break;
  }
  const auto stop = r.bitsStop == 2 ? QSerialPort::TwoStop
                    : r.bitsStop == 15 ? QSerialPort::OneAndHalfStop
                                       : QSerialPort::OneStop;
  errno = 0;
  const bool regle = port_.setBaudRate(r.bauds) && port_.setDataBits(static_cast<QSerialPort::DataBits>(r.bitsDonnees)) &&
                     port_.setParity(parite) && port_.setStopBits(stop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!regle) {
    const int numero = errno;
    port_.close();
    port_.clearError();
    throw echec(Erreur::Genre::PortRefuse, numero);
  }
}

void LiaisonQt::ecrire(std::string_view octets) {
  Garde garde(dansAppel_);
  const auto taille = static_cast<qint64>(octets.size());
  errno = 0;
  if (port_.write(octets.data(), taille) != taille) liaisonCoupee(errno);
  // The device takes a sentence at once; only a line held back by the other end makes us wait.
  const auto limite = steady_clock::now() + seconds(10) + milliseconds(taille * 12 * 1000 / bauds_);
  while (port_.bytesToWrite() > 0) {
    const auto reste = duration_cast<milliseconds>(limite - steady_clock::now()).count();
    if (reste <= 0) throw echec(Erreur::Genre::DonneesNonParties, 0);
    errno = 0;
    if (!port_.waitForBytesWritten(static_cast<int>(reste))) verifierApresAttente();
  }
}

std::string LiaisonQt::lire() {
  Garde garde(dansAppel_);
  errno = 0;
  if (!port_.waitForReadyRead(0)) verifierApresAttente();
  const QByteArray recu = port_.readAll();
  return std::string(recu.constData(), static_cast<std::size_t>(recu.size()));
}

void LiaisonQt::attendre(milliseconds delaiMax) {
  Garde garde(dansAppel_);
  if (port_.bytesAvailable() > 0) return;
  errno = 0;
  if (!port_.waitForReadyRead(static_cast<int>(delaiMax.count()))) verifierApresAttente();
}

void LiaisonQt::verifierApresAttente() {
  const int numero = errno;
  const auto code = port_.error();
  if (code == QSerialPort::NoError || code == QSerialPort::TimeoutError) {
    port_.clearError();
    return;
  }
  liaisonCoupee(numero);
}

void LiaisonQt::liaisonCoupee(int numero) {
  // After a hang-up the library reports whatever error the system last left behind: the
  // device itself tells what happened.
  if (const int constat = platform::raisonCoupure(peripherique_, port_.handle()); constat != 0)
    numero = constat;
  port_.clearError();
  throw echec(Erreur::Genre::LiaisonCoupee, numero);
}

void LiaisonQt::fermer(bool vider) {
  Garde garde(dansAppel_);
  if (!port_.isOpen()) return;
  bool parti = true;
  if (vider) {
    while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(2000)) {
    }
    parti = port_.bytesToWrite() == 0;
    parti = parti && platform::viderSortie(port_.handle(), bauds_);
  }
  port_.close();
  port_.clearError();
  if (!parti) throw echec(Erreur::Genre::DonneesNonParties, 0);
}

}  // namespace zor::serie
