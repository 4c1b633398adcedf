#pragma once
// The window's services made of the test seams: what is not given stays real.
//   Form1 form{test::services(messages, fin)};
#include "app/services.h"
#include "tests/support/seams.h"

namespace zor::test {

inline void poser(app::Services& s, ScriptMessages& m) { s.messages = m.repondeur(); }
inline void poser(app::Services& s, ScriptOuverture& d) { s.ouverture = d.dialogue(); }
inline void poser(app::Services& s, ObservateurFin& f) { s.fin = f.fin(); }
inline void poser(app::Services& s, HorlogeFactice& h) { s.horloge = &h; }

template <class... Parties>
app::Services services(Parties&... parties) {
  app::Services s;
  (poser(s, parties), ...);
  return s;
}

}  // namespace zor::test
