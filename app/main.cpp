#include <QApplication>

#include "app/form1.h"
#include "app/traductions.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZOR"));
  QApplication::setApplicationVersion(QStringLiteral("3.0.0"));
  zor::app::installerTraductions();
  zor::app::Form1 fenetrePrincipale;
  fenetrePrincipale.show();
  return QApplication::exec();
}
