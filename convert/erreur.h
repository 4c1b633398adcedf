#pragma once
// A conversion that cannot go on: the file concerned and the reason, in French, so the window
// can end its run silently and zor-cli can print one clear line.
#include <stdexcept>
#include <string>

namespace zor::conversion {

class ErreurConversion : public std::runtime_error {
 public:
  ErreurConversion(std::string fichier, std::string raison)
      : std::runtime_error(fichier + " : " + raison), fichier_(std::move(fichier)), raison_(std::move(raison)) {}
  const std::string& fichier() const { return fichier_; }
  const std::string& raison() const { return raison_; }

 private:
  std::string fichier_;
  std::string raison_;
};

// The system's reason for the last failed call (errno), said in French for the usual cases.
std::string raisonSysteme(int numero);

}  // namespace zor::conversion
