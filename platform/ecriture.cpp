// What writing a file for the user does the same way on every system: the content written,
// flushed and closed, then the file beside takes the name (ecriture_posix.cpp and
// ecriture_windows.cpp hold how a name is taken and how a file is rewritten where it is).
#include <cerrno>
#include <cstdio>

#include "platform/ecriture.h"
#include "platform/remplacement_systeme.h"

namespace zor::platform {

Ecriture::~Ecriture() { abandonner(); }

int Ecriture::terminer(bool surLeDisque) {
  if (flux_ == nullptr) return EBADF;
  std::FILE* f = flux_;
  flux_ = nullptr;
  int numero = ecrireEtFermer(f, {}, surLeDisque);
  if (numero == 0 && !temporaire_.empty()) {
    if ((numero = prendreLeNom()) == 0) temporaire_.clear(), cree_ = false;
  }
  if (numero != 0) {
    abandonner();
    return numero;
  }
  fermerTout();
  return 0;
}

int Ecriture::ecrireTout(std::string_view octets) {
  if (refusVoisin_ != 0) {
    const int numero = reecrireSurPlace(octets);
    fermerTout();
    return numero;
  }
  if (flux_ == nullptr) return EBADF;
  errno = 0;
  if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), flux_) != octets.size()) {
    const int numero = errno != 0 ? errno : EIO;
    abandonner();
    return numero;
  }
  return terminer();
}

}  // namespace zor::platform
