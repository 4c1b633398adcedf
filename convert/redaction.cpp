#include "convert/redaction.h"

#include "convert/phrase.h"

namespace zor::conversion {

void Redaction::ecrirePhrase(std::string_view corps) {
  // Built in place in the file's buffer: the builder's CR LF, then the line end the file
  // writer adds.
  char* phrase = sortie_.place(corps.size() + 8);
  const std::size_t longueur = poserPhrase(phrase, corps);
  phrase[longueur] = '\r';
  phrase[longueur + 1] = '\n';
  if (echo_ != nullptr) {
    echo_->append(phrase, longueur);
    finEcho_ = echo_->size();
  }
  sortie_.valider(longueur + 2);
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
