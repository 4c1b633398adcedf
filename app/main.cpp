#include <QApplication>

#include "app/form1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZOR"));
  QApplication::setApplicationVersion(QStringLiteral("3.0.0"));
  zor::app::Form1 fenetrePrincipale;
  fenetrePrincipale.show();
  return QApplication::exec();
}
