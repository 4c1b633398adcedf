#pragma once
// The simulated receiver's end of the cable: a pseudo-terminal whose other end (the device
// path) the program opens as its serial port. It also sees the program open and close that
// device, and can read the line settings the program gave it.
#include <chrono>
#include <string>

namespace zor::sim {

class Terminal {
 public:
  Terminal();
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  const std::string& peripherique() const { return peripherique_; }
  int maitre() const { return maitre_; }
  int surveillance() const { return surveillance_; }  // readable when the program opens or closes

  // Takes the pending open/close notices; true when the device is now open by the program.
  bool ouvertParLeProgramme();
  // Bytes the program's earlier session left unread: a new session starts clean.
  void oublierEntree();
  // "4800 8N2", as the program set the line (read from this end with tcgetattr).
  std::string reglages() const;

 private:
  int maitre_ = -1;
  int esclave_ = -1;  // kept open so that the program's closing is no hang-up for us
  int surveillance_ = -1;
  int ouvertures_ = 0;
  std::string peripherique_;
};

double secondesDepuis(std::chrono::steady_clock::time_point debut);

}  // namespace zor::sim
