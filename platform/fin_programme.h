#pragma once
// Ending the program at once: every open file is closed, then the process ends; no handler
// runs after it, the window's unload handler included. Tests observe the end instead.
#include <functional>

namespace zor::platform {

// Closes every registered file and ends the process. Under an observer (tests) it records the
// end, calls the observer and returns: the caller must return straight away.
void terminerProgramme();

// True once terminerProgramme() has been called under an observer.
bool finDemandee();

// Replaces the real end by `observateur` (tests); an empty function puts the real end back and
// clears finDemandee().
void observerFin(std::function<void()> observateur);

// Files the program holds open register how to close them, so the end can close them.
int ajouterFermeture(std::function<void()> fermer);
void retirerFermeture(int jeton);

// Keeps a file registered for as long as it lives.
class FermetureEnregistree {
 public:
  explicit FermetureEnregistree(std::function<void()> fermer) : jeton_(ajouterFermeture(std::move(fermer))) {}
  ~FermetureEnregistree() { retirerFermeture(jeton_); }
  FermetureEnregistree(const FermetureEnregistree&) = delete;
  FermetureEnregistree& operator=(const FermetureEnregistree&) = delete;

 private:
  int jeton_;
};

}  // namespace zor::platform
