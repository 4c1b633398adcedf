// The serial device on Windows, through the system's communications functions: COMn opened as
// \\.\COMn, its line set by a DCB, reads that take what has arrived, waits bounded by the
// driver's own read timeout, writes bounded by its write timeout, and a bounded drain before
// closing. Every failure keeps the system's code (GetLastError) for its French sentence.
#include <algorithm>

#include "platform/texte_windows.h"
#include "platform/vidange_serie.h"
#include "platform/windows_leger.h"
#include "serial/liaison.h"

namespace zor::serie {
namespace {

using namespace std::chrono;

Erreur erreurWindows(Erreur::Genre genre, const PortDesigne& port, DWORD code) {
  Erreur e = erreurDuPort(port, genre);
  e.codeWindows = code;
  return e;
}

// What a refused CreateFileW means for the user. Windows answers "access denied" for a port
// that another program holds: serial ports are never shared.
Erreur::Genre genreOuverture(DWORD code) {
  using G = Erreur::Genre;
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_INVALID_NAME:
    case ERROR_DEVICE_NOT_CONNECTED: return G::PortIntrouvable;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY: return G::PortOccupe;
    default: break;
  }
  return G::PortRefuse;
}

// "COM3" and "\\.\COM3" both open \\.\COM3: past COM9 only the second form works, and it
// works for every port.
std::wstring nomSysteme(const std::string& peripherique) {
  std::string nom = peripherique;
  if (nom.rfind("\\\\.\\", 0) != 0) nom = "\\\\.\\" + nom;
  // Device names are ASCII; UTF-8 keeps whatever else was typed readable in the message.
  return platform::large(nom);
}

BYTE parite(char p) {
  switch (p) {
    case 'E': return EVENPARITY;
    case 'O': return ODDPARITY;
    case 'M': return MARKPARITY;
    case 'S': return SPACEPARITY;
    default: break;
  }
  return NOPARITY;
}

// The line as the receiver wants it, nothing held back: no hardware or software flow control,
// no character replaced or dropped, and an error on the line never stops the port.
bool regler(HANDLE h, const Reglages& r) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(h, &dcb)) return false;
  dcb.BaudRate = static_cast<DWORD>(r.bauds);
  dcb.ByteSize = static_cast<BYTE>(r.bitsDonnees);
  dcb.Parity = parite(r.parite);
  dcb.StopBits = r.bitsStop == 2 ? TWOSTOPBITS : r.bitsStop == 15 ? ONE5STOPBITS : ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = dcb.Parity != NOPARITY;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fTXContinueOnXoff = TRUE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fAbortOnError = FALSE;
  return ::SetCommState(h, &dcb) != 0;
}

class LiaisonWin32 final : public Liaison {
 public:
  LiaisonWin32(HANDLE h, PortDesigne port, int bauds) : h_(h), port_(std::move(port)), bauds_(bauds) {
    // Reads return at once with what the driver holds; a write may take the time its bytes
    // need at the line's speed (start, 8 data, parity and 2 stop bits at most: 12 bits), plus
    // ten seconds for a line the other end holds back.
    lectureImmediate_.ReadIntervalTimeout = MAXDWORD;
    lectureImmediate_.WriteTotalTimeoutMultiplier = static_cast<DWORD>(12 * 1000 / std::max(bauds_, 1) + 1);
    lectureImmediate_.WriteTotalTimeoutConstant = 10000;
  }
  ~LiaisonWin32() override { abandonner(); }

  std::optional<Erreur> preparer(const Reglages& r) {
    ::SetupComm(h_, 4096, 4096);
    if (!regler(h_, r)) return erreurWindows(Erreur::Genre::PasUnPort, port_, ::GetLastError());
    if (!::SetCommTimeouts(h_, &lectureImmediate_))
      return erreurWindows(Erreur::Genre::PortRefuse, port_, ::GetLastError());
    return std::nullopt;
  }

  std::optional<Erreur> lire(std::string& recu) override {
    recu += recuDAvance_;
    recuDAvance_.clear();
    char tampon[1024];
    for (;;) {
      DWORD lus = 0;
      if (!::ReadFile(h_, tampon, sizeof tampon, &lus, nullptr)) return coupee(::GetLastError());
      recu.append(tampon, lus);
      if (lus < sizeof tampon) return std::nullopt;
    }
  }

  // The driver waits for us: a read that returns with the first byte to arrive, or empty once
  // its time has passed (ReadIntervalTimeout and ReadTotalTimeoutMultiplier both MAXDWORD).
  // The wait goes in slices of at most 50 ms: some drivers (wine's among them) hold such a
  // read for its whole time even when a byte came early. What a read brings is kept for the
  // next lire().
  std::optional<Erreur> attendre(milliseconds max) override {
    if (!recuDAvance_.empty()) return std::nullopt;
    DWORD erreurs = 0;
    COMSTAT etat{};
    if (!::ClearCommError(h_, &erreurs, &etat)) return coupee(::GetLastError());
    if (etat.cbInQue > 0 || max.count() <= 0) return std::nullopt;
    const auto limite = steady_clock::now() + max;
    COMMTIMEOUTS attente = lectureImmediate_;
    attente.ReadTotalTimeoutMultiplier = MAXDWORD;
    attente.ReadTotalTimeoutConstant = 0;
    std::optional<Erreur> erreur;
    for (;;) {
      const auto reste = duration_cast<milliseconds>(limite - steady_clock::now()).count();
      if (reste <= 0) break;
      const DWORD tranche = static_cast<DWORD>(std::min<long long>(reste, 50));
      if (tranche != attente.ReadTotalTimeoutConstant) {
        attente.ReadTotalTimeoutConstant = tranche;
        if (!::SetCommTimeouts(h_, &attente)) {
          erreur = coupee(::GetLastError());
          break;
        }
      }
      char tampon[256];
      DWORD lus = 0;
      if (!::ReadFile(h_, tampon, sizeof tampon, &lus, nullptr)) {
        erreur = coupee(::GetLastError());
        break;
      }
      if (lus > 0) {
        recuDAvance_.append(tampon, lus);
        break;
      }
    }
    // Back to reads that never wait.
    if (!::SetCommTimeouts(h_, &lectureImmediate_) && !erreur) erreur = coupee(::GetLastError());
    return erreur;
  }

  std::optional<Erreur> ecrire(std::string_view octets) override {
    while (!octets.empty()) {
      DWORD ecrits = 0;
      const DWORD morceau = static_cast<DWORD>(std::min<std::size_t>(octets.size(), 1 << 16));
      if (!::WriteFile(h_, octets.data(), morceau, &ecrits, nullptr)) return coupee(::GetLastError());
      // The write timeout ran out: the line is held back.
      if (ecrits == 0) return erreurWindows(Erreur::Genre::DonneesNonParties, port_, ERROR_TIMEOUT);
      octets.remove_prefix(ecrits);
    }
    return std::nullopt;
  }

  std::optional<Erreur> fermer() override {
    if (h_ == INVALID_HANDLE_VALUE) return std::nullopt;
    ::SetLastError(0);
    const bool parti = platform::viderSortie(h_, bauds_);
    const DWORD code = ::GetLastError();
    // Nothing is purged here: the bytes have left, or are still on their way to a slow other
    // end (a pseudo-terminal under wine keeps them until it is read), and a purge would lose them.
    ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    if (!parti) return erreurWindows(Erreur::Genre::DonneesNonParties, port_, code == 0 ? ERROR_TIMEOUT : code);
    return std::nullopt;
  }

  void abandonner() noexcept override {
    if (h_ == INVALID_HANDLE_VALUE) return;
    // What is still queued would only delay the closing.
    ::PurgeComm(h_, PURGE_TXABORT | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_RXCLEAR);
    ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  Erreur coupee(DWORD code) const { return erreurWindows(Erreur::Genre::LiaisonCoupee, port_, code); }

  HANDLE h_;
  PortDesigne port_;
  int bauds_;
  COMMTIMEOUTS lectureImmediate_{};
  std::string recuDAvance_;
};

}  // namespace

OuvrirLiaison ouvertureReelle() {
  return [](const PortDesigne& port, const Reglages& reglages) -> Ouverture {
    const HANDLE h = ::CreateFileW(nomSysteme(port.peripherique).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD code = ::GetLastError();
      return {nullptr, erreurWindows(genreOuverture(code), port, code)};
    }
    auto liaison = std::make_unique<LiaisonWin32>(h, port, reglages.bauds);
    if (auto erreur = liaison->preparer(reglages)) return {nullptr, std::move(erreur)};
    return {std::move(liaison), std::nullopt};
  };
}

}  // namespace zor::serie
