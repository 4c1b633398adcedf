#pragma once
// A program run beside the test, as a user runs it from a shell: its arguments, environment,
// folder, standard input from a file or fed by the test, standard output captured or appended
// to a file, a limit on the size of the files it writes. Both outputs are collected as they
// come, so a chatty program never blocks on a full pipe. POSIX only.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zor::test {

struct Lancement {
  std::vector<std::pair<std::string, std::optional<std::string>>> environnement;  // set, or removed with nothing
  std::filesystem::path dossier;        // its current folder; empty: the test's
  std::filesystem::path entree;         // its standard input; empty: a pipe the test writes into
  std::filesystem::path sortieAjoutee;  // its standard output appended there; empty: captured
  long limiteFichier = 0;               // the largest file it may write, in bytes (ulimit -f); 0: none
  bool enTantQuAutre = false;           // run as kAutreUtilisateur when the test runs as root
};

// A second user of the machine (nobody), whose rights a test run as root takes to plant files
// or to meet the permissions root would pass by.
inline constexpr uid_t kAutreUtilisateur = 65534;
inline constexpr gid_t kGroupeAutre = 65534;

class Processus {
 public:
  Processus(const std::filesystem::path& programme, const std::vector<std::string>& arguments, Lancement lancement = {});
  // Still running: SIGTERM, then SIGKILL after 5 s.
  ~Processus();
  Processus(const Processus&) = delete;
  Processus& operator=(const Processus&) = delete;

  bool demarre() const { return pid_ > 0; }
  void signaler(int signal) const;
  // Feeds its standard input (a reader that has gone is no failure), then closes it.
  void ecrire(std::string_view octets);
  void fermerEntree();
  // Collects its outputs until `texte` shows in the standard output (or the error output) or
  // `delai` has passed; whether it showed.
  bool attendreSortie(std::string_view texte, std::chrono::milliseconds delai = std::chrono::seconds(5));
  bool attendreErreurs(std::string_view texte, std::chrono::milliseconds delai = std::chrono::seconds(20));
  // Waits for its end, collecting both outputs: its exit code, or -1 when a signal ended it or it
  // was still running after `delai` (it is then killed).
  int attendreFin(std::chrono::milliseconds delai = std::chrono::seconds(60));

  const std::string& sortie() const { return sortie_; }
  const std::string& erreurs() const { return erreurs_; }

 private:
  // Reads what has come on both outputs, waiting up to `delai` for something; false once both
  // are closed.
  bool recueillir(std::chrono::milliseconds delai);

  pid_t pid_ = -1;
  int entree_ = -1, sortieTube_ = -1, erreursTube_ = -1;
  std::string sortie_, erreurs_;
  std::optional<int> statut_;
};

// The result of a program run to its end.
struct Resultat {
  int code = -1;
  std::string sortie, erreurs;
};
Resultat executer(const std::filesystem::path& programme, const std::vector<std::string>& arguments,
                  Lancement lancement = {});

// A program of the build tree ($ZOR_BUILD_DIR): "zor-cli", "zor-sim".
std::filesystem::path programmeConstruit(const char* nom);

}  // namespace zor::test
