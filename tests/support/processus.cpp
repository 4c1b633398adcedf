#include "tests/support/processus.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>

extern char** environ;

namespace zor::test {
namespace {

using namespace std::chrono;

void nonBloquant(int d) { ::fcntl(d, F_SETFL, ::fcntl(d, F_GETFL) | O_NONBLOCK); }

void fermer(int& d) {
  if (d >= 0) ::close(d);
  d = -1;
}

}  // namespace

Processus::Processus(const std::filesystem::path& programme, const std::vector<std::string>& arguments,
                     Lancement lancement) {
  // A reader gone while the test still writes is an error of write(), not the test's end.
  ::signal(SIGPIPE, SIG_IGN);
  // Everything the child needs, made before fork(): only system calls run in between.
  std::map<std::string, std::string> variables;
  for (char** v = environ; *v != nullptr; ++v) {
    const std::string texte = *v;
    const auto egal = texte.find('=');
    if (egal != std::string::npos) variables[texte.substr(0, egal)] = texte.substr(egal + 1);
  }
  for (const auto& [nom, valeur] : lancement.environnement) {
    if (valeur) variables[nom] = *valeur;
    else variables.erase(nom);
  }
  std::vector<std::string> textes{programme.string()};
  textes.insert(textes.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env;
  for (const auto& [nom, valeur] : variables) env.push_back(nom + "=" + valeur);
  std::vector<char*> argv, envp;
  for (std::string& t : textes) argv.push_back(t.data());
  for (std::string& t : env) envp.push_back(t.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);

  int entree[2] = {-1, -1}, sortie[2] = {-1, -1}, erreurs[2] = {-1, -1};
  if (lancement.entree.empty() && ::pipe2(entree, O_CLOEXEC) != 0) return;
  if (lancement.sortieAjoutee.empty() && ::pipe2(sortie, O_CLOEXEC) != 0) return;
  if (::pipe2(erreurs, O_CLOEXEC) != 0) return;
  const int fichierEntree = lancement.entree.empty() ? -1 : ::open(lancement.entree.c_str(), O_RDONLY | O_CLOEXEC);
  const int fichierSortie = lancement.sortieAjoutee.empty()
                                ? -1
                                : ::open(lancement.sortieAjoutee.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const std::string dossier = lancement.dossier.string();
  const rlimit limite{static_cast<rlim_t>(lancement.limiteFichier), static_cast<rlim_t>(lancement.limiteFichier)};

  pid_ = ::fork();
  if (pid_ == 0) {
    ::signal(SIGPIPE, SIG_DFL);
    ::dup2(fichierEntree >= 0 ? fichierEntree : entree[0], STDIN_FILENO);
    ::dup2(fichierSortie >= 0 ? fichierSortie : sortie[1], STDOUT_FILENO);
    ::dup2(erreurs[1], STDERR_FILENO);
    if (!dossier.empty() && ::chdir(dossier.c_str()) != 0) ::_exit(126);
    if (lancement.limiteFichier > 0) ::setrlimit(RLIMIT_FSIZE, &limite);
    if (lancement.enTantQuAutre && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kGroupeAutre) != 0 || ::setuid(kAutreUtilisateur) != 0))
      ::_exit(125);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  for (int d : {entree[0], sortie[1], erreurs[1], fichierEntree, fichierSortie})
    if (d >= 0) ::close(d);
  entree_ = entree[1];
  sortieTube_ = sortie[0];
  erreursTube_ = erreurs[0];
  for (int d : {entree_, sortieTube_, erreursTube_})
    if (d >= 0) nonBloquant(d);
}

Processus::~Processus() {
  fermer(entree_);
  if (pid_ > 0 && !statut_) {
    ::kill(pid_, SIGTERM);
    if (attendreFin(seconds(5)) == -1 && !statut_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  fermer(sortieTube_);
  fermer(erreursTube_);
}

void Processus::signaler(int signal) const {
  if (pid_ > 0 && !statut_) ::kill(pid_, signal);
}

void Processus::ecrire(std::string_view octets) {
  while (!octets.empty() && entree_ >= 0) {
    const ssize_t n = ::write(entree_, octets.data(), octets.size());
    if (n > 0) {
      octets.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) break;  // EPIPE: it stopped reading
    // Its input is full: what it says meanwhile is collected, so that it can go on reading.
    pollfd p{entree_, POLLOUT, 0};
    recueillir(milliseconds(0));
    ::poll(&p, 1, 10);
  }
}

void Processus::fermerEntree() { fermer(entree_); }

bool Processus::recueillir(milliseconds delai) {
  pollfd p[2] = {{sortieTube_, POLLIN, 0}, {erreursTube_, POLLIN, 0}};
  if (sortieTube_ < 0 && erreursTube_ < 0) return false;
  if (::poll(p, 2, static_cast<int>(delai.count())) <= 0) return true;
  std::string* textes[2] = {&sortie_, &erreurs_};
  int* tubes[2] = {&sortieTube_, &erreursTube_};
  for (int i = 0; i < 2; ++i) {
    if (*tubes[i] < 0 || p[i].revents == 0) continue;
    char tampon[65536];
    for (;;) {
      const ssize_t n = ::read(*tubes[i], tampon, sizeof tampon);
      if (n > 0) {
        textes[i]->append(tampon, static_cast<std::size_t>(n));
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n == 0 || errno != EAGAIN) fermer(*tubes[i]);
      break;
    }
  }
  return true;
}

bool Processus::attendreSortie(std::string_view texte, milliseconds delai) {
  const auto fin = steady_clock::now() + delai;
  while (sortie_.find(texte) == std::string::npos && steady_clock::now() < fin)
    if (!recueillir(milliseconds(20))) break;
  return sortie_.find(texte) != std::string::npos;
}

bool Processus::attendreErreurs(std::string_view texte, milliseconds delai) {
  const auto fin = steady_clock::now() + delai;
  while (erreurs_.find(texte) == std::string::npos && steady_clock::now() < fin)
    if (!recueillir(milliseconds(20))) break;
  return erreurs_.find(texte) != std::string::npos;
}

int Processus::attendreFin(milliseconds delai) {
  if (pid_ <= 0) return -1;
  const auto fin = steady_clock::now() + delai;
  while (!statut_) {
    int s = 0;
    const pid_t r = ::waitpid(pid_, &s, WNOHANG);
    if (r == pid_) {
      statut_ = s;
      break;
    }
    if (r < 0 || steady_clock::now() >= fin) return -1;
    recueillir(milliseconds(10));
  }
  // What it wrote last, up to the end of both pipes (a child of its own may still hold them).
  const auto reste = steady_clock::now() + seconds(2);
  while (recueillir(milliseconds(10)) && steady_clock::now() < reste) {
  }
  return WIFEXITED(*statut_) ? WEXITSTATUS(*statut_) : -1;
}

Resultat executer(const std::filesystem::path& programme, const std::vector<std::string>& arguments,
                  Lancement lancement) {
  Processus p(programme, arguments, std::move(lancement));
  p.fermerEntree();
  const int code = p.attendreFin();
  return {code, p.sortie(), p.erreurs()};
}

std::filesystem::path programmeConstruit(const char* nom) {
  const char* dossier = std::getenv("ZOR_BUILD_DIR");
  return std::filesystem::path(dossier != nullptr ? dossier : ".") / nom;
}

}  // namespace zor::test
