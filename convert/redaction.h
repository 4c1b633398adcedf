#pragma once
// What the readers share during one run: the record counter, the interchange file, the kind
// of sentence asked for, and the echo of every line for the window's `fenetre`.
#include <string>
#include <string_view>

#include "convert/sortie.h"

namespace zor::conversion {

// The option buttons: a map profile point or a plain waypoint for each record.
enum class Mode { Profil, Waypoint };

class Redaction {
 public:
  // `echo` receives, as Windows-1252 bytes, what the window appends to `fenetre`; nullptr when
  // nobody shows it (zor-cli), so nothing accumulates.
  Redaction(Sortie& interchange, Mode mode, std::string* echo = nullptr)
      : sortie_(interchange), echo_(echo), mode_(mode), finEcho_(echo != nullptr ? echo->size() : 0) {}

  Mode mode() const { return mode_; }
  long long compteur() const { return compteur_; }
  // One more record taken; returns its number (1 for the first of the run).
  long long compter() { return ++compteur_; }

  // A generated sentence: through the sentence builder to the echo, then to the file as a
  // line of its own, followed by an empty line.
  void ecrirePhrase(std::string_view corps);

  // A line copied unchanged (ZOR format), possibly in several pieces; no empty line follows.
  void copier(std::string_view morceau) {
    if (echo_ != nullptr) echo_->append(morceau);
    sortie_.ecrire(morceau);
  }
  void finCopie();

  // After a failure: drops the unfinished line from the echo and the file.
  void abandonner() noexcept;

 private:
  Sortie& sortie_;
  std::string* echo_;
  Mode mode_;
  long long compteur_ = 0;
  std::size_t finEcho_ = 0;
};

}  // namespace zor::conversion
