#include <QApplication>

#include "app/form1.h"
#include "platform/fichiers_standard.h"

int main(int argc, char** argv) {
  zor::platform::ignorerLimiteTailleFichier();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZOR"));
  QApplication::setApplicationVersion(QStringLiteral("3.0.0"));
  zor::app::Form1 fenetrePrincipale;
  fenetrePrincipale.show();
  return QApplication::exec();
}
