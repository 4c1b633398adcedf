// Screenshots of the real window, for the README and for looking at what a user sees:
//   xvfb-run -a build/zor-capture DOSSIER
// writes fenetre-depart.png (start layout) and fenetre-type.png (after both "Ok" steps).
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "app/form1.h"

namespace {
void capturer(QWidget& fenetre, const QString& chemin) {
  QTest::qWait(300);
  const QRect cadre = fenetre.frameGeometry();
  QPixmap image = fenetre.screen()->grabWindow(0, cadre.x(), cadre.y(), cadre.width(), cadre.height());
  if (image.isNull()) image = fenetre.grab();
  image.save(chemin);
}
}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QDir dossier(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  zor::app::Form1 form;
  form.move(0, 0);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  capturer(form, dossier.filePath(QStringLiteral("fenetre-depart.png")));
  QTest::mouseClick(form.ok, Qt::LeftButton);
  QTest::mouseClick(form.ok1, Qt::LeftButton);
  capturer(form, dossier.filePath(QStringLiteral("fenetre-type.png")));
  return 0;
}
