// The serial devices of Linux through Qt SerialPort, driven without an event loop: every write
// is pushed to the device at once and every read polls it, because a transfer runs inside a
// click handler. The only file of the serial link that reaches the toolkit.
#include <QCoreApplication>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <cerrno>

#include "platform/peripherique_serie.h"
#include "platform/vidange_serie.h"
#include "serial/liaison.h"
#include "serial/peripherique.h"

namespace zor::serie {
namespace {

using namespace std::chrono;

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

// Qt SerialPort watches its device through the toolkit's notifiers, which want an application
// object: zor-cli and the tests have none of their own. It lives until the program ends.
void assurerApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char nom[] = "zor";
  static char* argv[] = {nom, nullptr};
  static QCoreApplication* application = new QCoreApplication(argc, argv);
  (void)application;
}

class LiaisonQt : public Liaison {
 public:
  explicit LiaisonQt(PortDesigne port) : port_(std::move(port)) {}
  ~LiaisonQt() override { abandonner(); }

  std::optional<Erreur> ouvrir(const Reglages& r) {
    bauds_ = r.bauds;
    serie_.setPortName(QString::fromLocal8Bit(platform::nomDOuverture(port_.peripherique).c_str()));
    // A lock of a running program: say which file reserves the port. A lock whose program has
    // ended is stale and does not count.
    if (const auto verrou = platform::verrouActif(port_.peripherique)) {
      Erreur e = erreurDuPort(port_, Erreur::Genre::PortVerrouille);
      e.verrou = *verrou;
      return e;
    }
    errno = 0;
    if (!serie_.open(QIODevice::ReadWrite)) {
      const int numero = errno;
      const auto code = serie_.error();
      serie_.clearError();
      return erreurDuPort(port_, platform::genreEchecOuverture(echecOuverture(code), port_.peripherique, numero), numero);
    }
    // Another program holding the device (picocom, minicom, another ZOR under another name of
    // it) keeps it: nothing is sent.
    if (const int numero = platform::verrouillerPeripherique(serie_.handle()); numero != 0) {
      serie_.close();
      serie_.clearError();
      return erreurDuPort(port_, numero == EBUSY ? Erreur::Genre::PortOccupe : Erreur::Genre::PortRefuse, numero);
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
    const bool regle = serie_.setBaudRate(r.bauds) &&
                       serie_.setDataBits(static_cast<QSerialPort::DataBits>(r.bitsDonnees)) &&
                       serie_.setParity(parite) && serie_.setStopBits(stop) &&
                       serie_.setFlowControl(QSerialPort::NoFlowControl);
    if (!regle) {
      const int numero = errno;
      serie_.close();
      serie_.clearError();
      return erreurDuPort(port_, Erreur::Genre::PortRefuse, numero);
    }
    return std::nullopt;
  }

  std::optional<Erreur> lire(std::string& recu) override {
    errno = 0;
    std::optional<Erreur> e;
    if (!serie_.waitForReadyRead(0)) e = verifierApresAttente();
    // What the library took in before a hang-up is the receiver's too.
    const QByteArray octets = serie_.readAll();
    recu.append(octets.constData(), static_cast<std::size_t>(octets.size()));
    return e;
  }

  std::optional<Erreur> attendre(milliseconds max) override {
    if (serie_.bytesAvailable() > 0) return std::nullopt;
    errno = 0;
    if (!serie_.waitForReadyRead(static_cast<int>(max.count()))) return verifierApresAttente();
    return std::nullopt;
  }

  std::optional<Erreur> ecrire(std::string_view octets) override {
    const auto taille = static_cast<qint64>(octets.size());
    errno = 0;
    if (serie_.write(octets.data(), taille) != taille) return coupure(errno);
    // The device takes a sentence at once; only a line held back by the other end makes us wait.
    const auto limite = steady_clock::now() + seconds(10) + milliseconds(taille * 12 * 1000 / bauds_);
    while (serie_.bytesToWrite() > 0) {
      const auto reste = duration_cast<milliseconds>(limite - steady_clock::now()).count();
      if (reste <= 0) return erreurDuPort(port_, Erreur::Genre::DonneesNonParties);
      errno = 0;
      if (!serie_.waitForBytesWritten(static_cast<int>(reste)))
        if (auto e = verifierApresAttente()) return e;
    }
    return std::nullopt;
  }

  std::optional<Erreur> fermer() override {
    if (!serie_.isOpen()) return std::nullopt;
    while (serie_.bytesToWrite() > 0 && serie_.waitForBytesWritten(2000)) {
    }
    const bool parti = serie_.bytesToWrite() == 0 && platform::viderSortie(serie_.handle(), bauds_);
    serie_.close();
    serie_.clearError();
    if (!parti) return erreurDuPort(port_, Erreur::Genre::DonneesNonParties);
    return std::nullopt;
  }

  void abandonner() noexcept override {
    if (serie_.isOpen()) serie_.close();
    serie_.clearError();
  }

 private:
  // A wait that ended because its time ran out is no error; anything else is a lost link.
  std::optional<Erreur> verifierApresAttente() {
    const int numero = errno;
    const auto code = serie_.error();
    if (code == QSerialPort::NoError || code == QSerialPort::TimeoutError) {
      serie_.clearError();
      return std::nullopt;
    }
    return coupure(numero);
  }

  Erreur coupure(int numero) {
    // After a hang-up the library reports whatever error the system last left behind: the
    // device itself tells what happened.
    if (const int constat = platform::raisonCoupure(port_.peripherique, serie_.handle()); constat != 0) numero = constat;
    serie_.clearError();
    return erreurDuPort(port_, Erreur::Genre::LiaisonCoupee, numero);
  }

  PortDesigne port_;
  QSerialPort serie_;
  int bauds_ = 4800;
};

}  // namespace

OuvrirLiaison ouvertureReelle() {
  return [](const PortDesigne& port, const Reglages& reglages) {
    assurerApplication();
    auto liaison = std::make_unique<LiaisonQt>(port);
    Ouverture o;
    o.erreur = liaison->ouvrir(reglages);
    if (!o.erreur) o.liaison = std::move(liaison);
    return o;
  };
}

std::vector<PortSerie> portsPresents() {
  std::vector<PortTrouve> trouves;
  for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) {
    QString description = p.description();
    if (description.isEmpty()) description = p.manufacturer();
    const std::string nom = p.portName().toStdString();
    const bool adaptateur = p.hasVendorIdentifier() || nom.rfind("ttyUSB", 0) == 0 || nom.rfind("ttyACM", 0) == 0;
    trouves.push_back({{p.systemLocation().toLocal8Bit().toStdString(), description.toStdString()}, nom, adaptateur});
  }
  return ordonnerPorts(std::move(trouves));
}

}  // namespace zor::serie
