#pragma once
// The window's services made of the test seams: boxes answered Ok and an end of the program
// that does nothing unless a test hands in its own; what is not given stays real.
//   app::Form1 form{test::services(messages, fin)};
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
  s.messages = [](const DemandeMessage&) { return Reponse::Ok; };
  s.ouverture = [](const app::DemandeOuverture&) { return std::optional<std::string>(); };
  s.fin = [](int) {};
  (poser(s, parties), ...);
  return s;
}

}  // namespace zor::test
