#pragma once
// Where the focus goes when a handler hides the control that has it (the upload's button at
// the end of an upload, an "Ok" button after its step). Not to the next control in tab order,
// which may be a button a stray Enter or Space would fire ("&Quitter" after an upload: the
// program would end without a word), but to the first control in tab order where those keys do
// nothing the user did not ask for: the chosen option button, else a list. The same rule on
// every front end.
#include <span>

#include "ihm/controle.h"

namespace zor {

// None: the window itself takes the focus.
inline const Controle* focusApresDisparition(std::span<Controle* const> controles, const Controle& cache) {
  for (const Controle* c : controles) {
    if (c == &cache || !c->Visible()) continue;
    if ((c->genre() == Genre::Option && c->Value()) || c->genre() == Genre::Liste) return c;
  }
  return nullptr;
}

}  // namespace zor
