#pragma once
// Cuts a text input into lines as the receiver's PC tools wrote them: a line ends at CR LF or
// at a lone CR; a lone LF is an ordinary character (unless asked: zor-cli --lf reads files
// written on Linux, where a lone LF ends a line too); the last line needs no line end. Lines
// are handed over in pieces straight out of the source's blocks, so a line of any length costs
// no memory.
//
// The visitor provides:
//   void entiere(std::string_view)    a whole line that lies in one block (the usual case)
//   bool debut(char premier)          a line that spans blocks starts; true if its bytes are wanted
//   void suite(std::string_view)      the next piece of a wanted line (the first holds `premier`)
//   void fin()                        the wanted line is complete
// and, if it wants them (the readers do not; the upload does):
//   void vide()                       an empty line
//   bool arrete()                     asked after each line: true ends the walk there
#include <cstring>
#include <string_view>

#include "convert/source.h"

namespace zor::conversion {

// What ends a line.
enum class FinDeLigne {
  Cr,     // CR LF or a lone CR (the program's own rule)
  CrOuLf  // also a lone LF
};

namespace detail {
inline const char* chercherFin(const char* p, std::size_t n, FinDeLigne regle) {
  if (regle == FinDeLigne::Cr) return static_cast<const char*>(std::memchr(p, '\r', n));
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] == '\r' || p[i] == '\n') return p + i;
  return nullptr;
}

template <class Visiteur>
void ligneVide(Visiteur& visiteur) {
  if constexpr (requires { visiteur.vide(); }) visiteur.vide();
}
template <class Visiteur>
bool arrete(Visiteur& visiteur) {
  if constexpr (requires { visiteur.arrete(); }) return visiteur.arrete();
  else return false;
}
}  // namespace detail

template <class Visiteur>
void parcourirLignes(Source& source, Visiteur& visiteur, FinDeLigne regle = FinDeLigne::Cr) {
  bool dansLigne = false;  // a non-empty line has started and not ended
  bool voulue = false;
  bool crEnFinDeBloc = false;  // the previous block ended with CR: an LF now belongs to it
  for (std::string_view bloc = source.lire(); !bloc.empty(); bloc = source.lire()) {
    const char* p = bloc.data();
    const std::size_t n = bloc.size();
    std::size_t i = 0;
    if (crEnFinDeBloc && p[0] == '\n') i = 1;
    crEnFinDeBloc = false;
    while (i < n) {
      const char* cr = detail::chercherFin(p + i, n - i, regle);
      const std::size_t fin = cr != nullptr ? static_cast<std::size_t>(cr - p) : n;
      if (fin > i && cr != nullptr && !dansLigne) {
        visiteur.entiere(std::string_view(p + i, fin - i));
      } else if (fin > i) {
        if (!dansLigne) {
          dansLigne = true;
          voulue = visiteur.debut(p[i]);
        }
        if (voulue) visiteur.suite(std::string_view(p + i, fin - i));
      }
      if (cr == nullptr) break;
      if (dansLigne && voulue) visiteur.fin();
      else if (!dansLigne && fin == i) detail::ligneVide(visiteur);
      dansLigne = false;
      if (detail::arrete(visiteur)) return;
      i = fin + 1;
      if (p[fin] == '\n') continue;  // a lone LF ends its line by itself
      if (i == n)
        crEnFinDeBloc = true;
      else if (p[i] == '\n')
        ++i;
    }
  }
  if (dansLigne && voulue) visiteur.fin();
}

}  // namespace zor::conversion
