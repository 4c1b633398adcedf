#pragma once
// The interchange file's writer: each record through the sentence builder, as a line of its
// own followed by an empty line; a copied receiver line as it is, with no empty line. The
// echo receives what the window appends to `fenetre`.
#include <string>
#include <string_view>

#include "convert/sortie.h"
#include "convert/waypoint.h"

namespace zor::conversion {

class EcrivainPhrases : public Ecrivain {
 public:
  // `echo` receives Windows-1252 bytes; nullptr when nobody shows them (zor-cli).
  explicit EcrivainPhrases(Sortie& sortie, std::string* echo = nullptr)
      : sortie_(sortie), echo_(echo), debutEcho_(echo != nullptr ? echo->size() : 0), finEcho_(debutEcho_) {}

  void ecrire(const Waypoint& point) override;
  void copier(std::string_view morceau) override {
    if (echo_ != nullptr) echo_->append(morceau);
    sortie_.ecrire(morceau);
  }
  void finCopie() override;
  void terminer() override { sortie_.vider(); }
  void abandonner() noexcept override;

 private:
  Sortie& sortie_;
  std::string* echo_;
  std::size_t debutEcho_;  // where this run's echo starts
  std::size_t finEcho_;
  bool genere_ = false;    // this run's lines are generated sentences, each followed by an empty line
};

}  // namespace zor::conversion
