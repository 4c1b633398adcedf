#include "convert/redaction.h"

#include "convert/phrase.h"

namespace zor::conversion {

void Redaction::ecrirePhrase(std::string_view corps) {
  phrase_.clear();
  ajouterPhrase(phrase_, corps);
  if (echo_ != nullptr) {
    echo_->append(phrase_);
    finEcho_ = echo_->size();
  }
  // The builder's CR LF, then the line end the file writer adds.
  phrase_.append("\r\n");
  sortie_.ecrire(phrase_);
  sortie_.finDeLigne();
}

void Redaction::finCopie() {
  if (echo_ != nullptr) {
    echo_->append("\r\n");
    finEcho_ = echo_->size();
  }
  sortie_.ecrire("\r\n");
  sortie_.finDeLigne();
}

void Redaction::abandonner() noexcept {
  if (echo_ != nullptr && echo_->size() > finEcho_) echo_->resize(finEcho_);
  sortie_.abandonner();
}

}  // namespace zor::conversion
