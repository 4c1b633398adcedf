// The time from a program's exec to its first window mapped on the X display, in milliseconds:
//   guetteur PROGRAMME [ARGUMENTS...]
// prints it on the standard output, then ends the program (SIGTERM) and waits for it. The
// display has no window manager (Xvfb): a top-level window maps as soon as the program asks.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage : guetteur PROGRAMME [ARGUMENTS...]\n", stderr);
    return 2;
  }
  // A server just started may take a moment to accept its first client.
  Display* ecran = nullptr;
  for (int essai = 0; essai < 50 && ecran == nullptr; ++essai) {
    ecran = XOpenDisplay(nullptr);
    if (ecran == nullptr) usleep(100000);
  }
  if (ecran == nullptr) {
    std::fputs("guetteur : pas d'écran X (DISPLAY)\n", stderr);
    return 2;
  }
  XSelectInput(ecran, DefaultRootWindow(ecran), SubstructureNotifyMask);
  XSync(ecran, False);

  const auto debut = std::chrono::steady_clock::now();
  const pid_t programme = fork();
  if (programme == 0) {
    close(ConnectionNumber(ecran));
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int code = 1;
  const auto limite = debut + std::chrono::seconds(20);
  while (code != 0) {
    while (XPending(ecran) > 0) {
      XEvent e;
      XNextEvent(ecran, &e);
      if (e.type == MapNotify && !e.xmap.override_redirect) {
        const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - debut;
        std::printf("%.1f\n", ms.count());
        code = 0;
        break;
      }
    }
    if (code == 0) break;
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
    if (reste.count() <= 0) {
      std::fputs("guetteur : aucune fenêtre dans les 20 s\n", stderr);
      break;
    }
    pollfd attente{ConnectionNumber(ecran), POLLIN, 0};
    poll(&attente, 1, static_cast<int>(reste.count()));
  }
  kill(programme, SIGTERM);
  waitpid(programme, nullptr, 0);
  XCloseDisplay(ecran);
  return code;
}
