#pragma once
// Cuts a text input into lines as the receiver's PC tools wrote them: a line ends at CR LF or
// at a lone CR; a lone LF is an ordinary character; the last line needs no line end. Lines
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

namespace detail {
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
void parcourirLignes(Source& source, Visiteur& visiteur) {
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
      const void* cr = std::memchr(p + i, '\r', n - i);
      const std::size_t fin = cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - p) : n;
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
      if (i == n)
        crEnFinDeBloc = true;
      else if (p[i] == '\n')
        ++i;
    }
  }
  if (dansLigne && voulue) visiteur.fin();
}

}  // namespace zor::conversion
