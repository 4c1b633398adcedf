#pragma once
// What the upload and the download need of a serial control: the operations of the window's
// serial controls, plus a way to wait in the operating system for data, so that a silent
// receiver costs no processor time. The window and zor-cli use the real control (mscomm.h).
#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

#include "serial/panne.h"

namespace zor::serie {

// A port operation failed; the panne names the port and carries the system's reason.
class ErreurPort : public std::runtime_error {
 public:
  explicit ErreurPort(Panne panne) : std::runtime_error(panne.raison), panne_(std::move(panne)) {}
  const Panne& panne() const { return panne_; }
  Panne& panne() { return panne_; }

 private:
  Panne panne_;
};

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

  // Blocks until something has arrived or `delaiMax` has passed. Reads nothing.
  virtual void attendreReception(std::chrono::milliseconds delaiMax) = 0;
  // Closes without waiting for pending output and without raising: the way out of a failure.
  virtual void abandonner() noexcept = 0;

  // How the user knows this port: "Comm2" (0 when the device was named directly) and its device.
  virtual int numeroAffiche() const = 0;
  virtual std::string peripherique() const = 0;
};

// A panne about `port`, naming it the way the user knows it.
inline Panne pannePort(const Port& port, Panne::Genre genre, std::string raison = {}) {
  Panne p;
  p.genre = genre;
  p.numeroPort = port.numeroAffiche();
  p.peripherique = port.peripherique();
  p.raison = std::move(raison);
  return p;
}

}  // namespace zor::serie
