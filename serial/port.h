#pragma once
// What the upload and the download need of a serial control: the operations of the window's
// serial controls, plus ways to see what waits and to wait in the operating system for more,
// so that a silent receiver costs no processor time. The window and zor-cli use the real
// control (mscomm.h). Every failure is a zor::Echec naming the port.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "core/erreur.h"

namespace zor::serie {

class Port {
 public:
  virtual ~Port() = default;

  virtual void Settings(std::string_view reglages) = 0;   // "4800,N,8,2"
  virtual void CommPort(int numero) = 0;                  // only while closed
  virtual int CommPort() const = 0;
  virtual void PortOpen(bool ouvrir) = 0;                  // false: closes once all output has left
  virtual bool PortOpen() const = 0;
  virtual void InputMode(int mode) = 0;                    // 0: text; bytes either way
  virtual void InputLen(int longueur) = 0;                 // 0: everything
  virtual std::string Input() = 0;                         // at once, possibly empty
  virtual void Output(std::string_view octets) = 0;        // returns once the device has the bytes

  // Takes in what has arrived and tells how many bytes wait to be read.
  virtual std::size_t enAttente() = 0;
  // Blocks until more bytes arrive or `delaiMax` has passed. Reads nothing.
  virtual void attendreReception(std::chrono::milliseconds delaiMax) = 0;
  // Closes without waiting for pending output and without raising: the way out of a failure.
  virtual void abandonner() noexcept = 0;

  // How the user knows this port: "Comm2" (0 when the device was named directly) and its device.
  virtual int numeroAffiche() const = 0;
  virtual std::string peripherique() const = 0;
};

// A failure about `port`, naming it the way the user knows it.
inline Erreur erreurDuPort(const Port& port, Erreur::Genre genre, int numeroSysteme = 0) {
  return erreurPort(genre, port.numeroAffiche(), port.peripherique(), numeroSysteme);
}

}  // namespace zor::serie
