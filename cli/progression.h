#pragma once
// How far a transfer has gone, on the standard error: on a terminal one line rewritten in place
// (the count, the total and the time), elsewhere (a log, a pipe) one plain line a step;
// nothing at all with -q.
#include <chrono>
#include <string>

#include "core/duree.h"

namespace zor::cli {

class Progression {
 public:
  enum class Mode { Lignes, EnPlace, Silence };
  explicit Progression(bool silencieux);
  ~Progression() { finir(); }

  Mode mode() const { return mode_; }
  // A step: its plain line, or its in-place text.
  void etape(const std::string& ligne, const std::string& enPlace);
  // Ends the in-place line, so that what follows starts on a line of its own.
  void finir();
  // Text the user must see even with -q (a failure).
  void dire(const std::string& texte);
  // A summary: shown except with -q.
  void resumer(const std::string& texte);

 private:
  Mode mode_;
  bool enCours_ = false;
};

using zor::dureeEnFrancais;

}  // namespace zor::cli
