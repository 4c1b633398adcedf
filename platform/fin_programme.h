#pragma once
// Ending the program at once: every open file is closed, then the process ends; no handler
// runs after it, the window's unload handler included. The window is handed this as a
// service, so tests observe the end instead.
#include <functional>

namespace zor::platform {

// Closes every registered file and ends the process.
[[noreturn]] void terminerProgramme();

// Closes every registered file, and nothing else (what a test's end of the program does).
void fermerFichiersEnregistres();

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
