#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/lancement.h"
#include "platform/fichiers_standard.h"
#include "platform/interruption.h"
#include "platform/terminal.h"
#include "qt/application.h"
#include "qt/form1_qt.h"
#include "qt/services_qt.h"
#include "qt/style.h"
#include "qt/traductions.h"

namespace {

// The arguments after the program's name, as the system gives them (a file's name in its bytes).
zor::app::Lancement lancement(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  return zor::app::analyserLancement(arguments);
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before the toolkit starts: no display is needed and no window ever shows.
  using Quoi = zor::app::Lancement::Quoi;
  if (const Quoi quoi = lancement(argc, argv).quoi; quoi == Quoi::Version) {
    std::puts("zor " ZOR_VERSION);
    return 0;
  } else if (quoi == Quoi::Aide) {
    std::fputs(zor::app::usageFenetre("zor").c_str(), stdout);
    return 0;
  }
  zor::platform::ignorerLimiteTailleFichier();
  // Killed during a download (SIGTERM, SIGHUP, Ctrl+C), the window does what zor-cli does: the
  // receiver is told to stop, the port closed, what came kept, then the program ends.
  zor::platform::intercepterInterruptions();
  zor::qt::ApplicationZor application(argc, argv);
  // What is left once the toolkit has taken its own options (-platform, -style…).
  const zor::app::Lancement demande = lancement(argc, argv);
  if (demande.quoi == Quoi::Erreur) {
    std::fputs(zor::platform::pourTerminal("zor : " + demande.erreur + "\n" + zor::app::usageFenetre("zor")).c_str(), stderr);
    return 2;
  }
  QApplication::setApplicationName(QStringLiteral("ZOR"));
  QApplication::setApplicationVersion(QStringLiteral(ZOR_VERSION));
  // The desktop matches the window with its menu entry (name, icon) through this id.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZOR_ID_BUREAU));
  zor::qt::installerTraductions();
  QApplication::setStyle(new zor::qt::StyleZor);
  QPointer<zor::qt::Form1Qt> fenetre;
  zor::app::Form1 modele(zor::qt::servicesQt({}, fenetre));
  zor::qt::Form1Qt vue(modele);
  fenetre = &vue;
  vue.show();
  // A file named on the command line (the desktop's « Ouvrir avec ») is given to the window once
  // it shows, as a drop would be.
  if (demande.fichier)
    QMetaObject::invokeMethod(
        &vue, [&modele, f = *demande.fichier] { modele.recevoir(zor::Evenement::fichierDonne(f)); },
        Qt::QueuedConnection);
  // Every way out ends here: the last window closed, or a quit path of the window. The window,
  // the about box, the serial devices and the files then go with their owners.
  return QApplication::exec();
}
