#include "serial/liaison_qt.h"

#include <filesystem>

#include "platform/vidange_serie.h"
#include "serial/port.h"

#ifndef _WIN32
#include <cerrno>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zor::serie {
namespace {

using namespace std::chrono;

ErreurPort erreur(Panne::Genre genre, std::string raison) {
  Panne p;
  p.genre = genre;
  p.raison = std::move(raison);
  return ErreurPort(std::move(p));
}

std::string raisonQt(const QSerialPort& port) { return port.errorString().toLocal8Bit().toStdString(); }

Panne::Genre genreOuverture(QSerialPort::SerialPortError code, [[maybe_unused]] const std::string& peripherique) {
  switch (code) {
    case QSerialPort::DeviceNotFoundError:
      return Panne::Genre::PortIntrouvable;
    case QSerialPort::PermissionError:
#ifdef _WIN32
      return Panne::Genre::PortOccupe;  // Windows answers "access denied" for a port in use
#else
      // Qt says the same for a port in use (locked) and for a port the user may not open.
      return ::access(peripherique.c_str(), R_OK | W_OK) != 0 && errno == EACCES ? Panne::Genre::PortInterdit
                                                                                  : Panne::Genre::PortOccupe;
#endif
    case QSerialPort::UnsupportedOperationError:
      return Panne::Genre::PasUnPort;
    case QSerialPort::NoError:
      return Panne::Genre::PortOccupe;  // refused without a system error: already open here
    default:
      break;
  }
#ifndef _WIN32
  struct stat etat {};
  if (::stat(peripherique.c_str(), &etat) == 0 && !S_ISCHR(etat.st_mode)) return Panne::Genre::PasUnPort;
#endif
  return Panne::Genre::PortRefuse;
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
  port_.setPortName(QString::fromLocal8Bit(peripherique.c_str()));
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto code = port_.error();
    std::string raison = code == QSerialPort::NoError ? std::string("le port est déjà ouvert") : raisonQt(port_);
    port_.clearError();
    throw erreur(genreOuverture(code, peripherique), std::move(raison));
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
  const bool regle = port_.setBaudRate(r.bauds) && port_.setDataBits(static_cast<QSerialPort::DataBits>(r.bitsDonnees)) &&
                     port_.setParity(parite) && port_.setStopBits(stop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!regle) {
    std::string raison = raisonQt(port_);
    port_.close();
    port_.clearError();
    throw erreur(Panne::Genre::PortRefuse, std::move(raison));
  }
}

void LiaisonQt::ecrire(std::string_view octets) {
  Garde garde(dansAppel_);
  const auto taille = static_cast<qint64>(octets.size());
  if (port_.write(octets.data(), taille) != taille) liaisonCoupee();
  // The device takes a sentence at once; only a line held back by the other end makes us wait.
  const auto limite = steady_clock::now() + seconds(10) + milliseconds(taille * 12 * 1000 / bauds_);
  while (port_.bytesToWrite() > 0) {
    const auto reste = duration_cast<milliseconds>(limite - steady_clock::now()).count();
    if (reste <= 0) throw erreur(Panne::Genre::LiaisonCoupee, "le port n'accepte plus de données");
    if (!port_.waitForBytesWritten(static_cast<int>(reste))) verifierApresAttente();
  }
}

std::string LiaisonQt::lire() {
  Garde garde(dansAppel_);
  if (!port_.waitForReadyRead(0)) verifierApresAttente();
  const QByteArray recu = port_.readAll();
  return std::string(recu.constData(), static_cast<std::size_t>(recu.size()));
}

void LiaisonQt::attendre(milliseconds delaiMax) {
  Garde garde(dansAppel_);
  if (port_.bytesAvailable() > 0) return;
  if (!port_.waitForReadyRead(static_cast<int>(delaiMax.count()))) verifierApresAttente();
}

void LiaisonQt::verifierApresAttente() {
  const auto code = port_.error();
  if (code == QSerialPort::NoError || code == QSerialPort::TimeoutError) {
    port_.clearError();
    return;
  }
  liaisonCoupee();
}

void LiaisonQt::liaisonCoupee() {
  std::string raison = raisonQt(port_);
#ifndef _WIN32
  // After a hang-up Qt reports whatever error the system last left behind; say what happened.
  std::error_code ec;
  if (!std::filesystem::exists(peripherique_, ec)) {
    raison = "le périphérique a disparu";
  } else if (port_.handle() >= 0) {
    pollfd p{port_.handle(), POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0) raison = "le périphérique a raccroché";
  }
#endif
  port_.clearError();
  throw erreur(Panne::Genre::LiaisonCoupee, std::move(raison));
}

void LiaisonQt::fermer(bool vider) {
  Garde garde(dansAppel_);
  if (!port_.isOpen()) return;
  bool parti = true;
  if (vider) {
    while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(2000)) {
    }
    parti = port_.bytesToWrite() == 0;
#ifdef _WIN32
    parti = parti && platform::viderSortie(port_.handle());
#else
    parti = parti && platform::viderSortie(port_.handle(), bauds_);
#endif
  }
  port_.close();
  port_.clearError();
  if (!parti) throw erreur(Panne::Genre::LiaisonCoupee, "les dernières données n'ont pas pu partir");
}

}  // namespace zor::serie
