// zor-fenetre-essai: the real Qt window with the tests' seams, for walks made from outside the
// program as a screen reader makes them (tests/qt/atspi.sh): the open dialog answers
// tests/convert/donnees/zor.txt, every box answers OK, a scripted receiver takes every sentence
// and the clock does not wait; c:\ is a temporary folder.
#include <QApplication>

#include "qt/form1_qt.h"
#include "qt/services_qt.h"
#include "tests/serial/liaison_scriptee.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

int main(int argc, char** argv) {
  using namespace zor;
  QApplication application(argc, argv);
  test::LecteurCTemporaire lecteur;
  test::ScriptOuverture dialogue;
  dialogue.choisir(std::string(ZOR_SOURCE_DIR_DEFAUT) + "/tests/convert/donnees/zor.txt");
  test::ScriptMessages messages;
  test::HorlogeFactice horloge;
  test::ScenarioLiaison gps{&horloge};
  app::Services s = test::services(dialogue, messages, horloge);
  s.liaisonMSComm1 = s.liaisonMSComm2 = test::liaisonScriptee(gps);
  s.portsPresents = [] { return std::vector<serie::PortSerie>{}; };
  s.fin = [](int code) { QCoreApplication::exit(code); };
  QPointer<qt::Form1Qt> fenetre;
  app::Form1 modele(qt::servicesQt(s, fenetre));
  qt::Form1Qt vue(modele);
  fenetre = &vue;
  vue.show();
  // No window manager runs on the virtual screen: the window takes the keyboard itself.
  vue.activateWindow();
  return QApplication::exec();
}
