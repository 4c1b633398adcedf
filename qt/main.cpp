#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/form1.h"
#include "platform/fichiers_standard.h"
#include "platform/interruption.h"
#include "qt/application.h"
#include "qt/form1_qt.h"
#include "qt/services_qt.h"
#include "qt/style.h"
#include "qt/traductions.h"

int main(int argc, char** argv) {
  // Answered before the toolkit starts: no display is needed and no window ever shows.
  if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("zor " ZOR_VERSION);
    return 0;
  }
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs("Usage : zor [--version]\n"
               "Ouvre la fenêtre de ZOR. Sans fenêtre : zor-cli (voir « zor-cli --help » et « man zor »).\n",
               stdout);
    return 0;
  }
  zor::platform::ignorerLimiteTailleFichier();
  // Killed during a download (SIGTERM, SIGHUP, Ctrl+C), the window does what zor-cli does: the
  // receiver is told to stop, the port closed, what came kept, then the program ends.
  zor::platform::intercepterInterruptions();
  zor::qt::ApplicationZor application(argc, argv);
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
  // Every way out ends here: the last window closed, or a quit path of the window. The window,
  // the about box, the serial devices and the files then go with their owners.
  return QApplication::exec();
}
