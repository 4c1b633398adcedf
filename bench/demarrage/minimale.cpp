// The yardsticks of the window's start, the smallest Qt Widgets programs that show a window:
//   fenetre_minimale          an empty window: it maps before the toolkit loads any font
//   fenetre_minimale texte    a window that shows a text ("ZOR", sized to it): like every window
//                             with a text or a menu bar, it loads the fonts before it maps
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  const bool texte = argc > 1 && std::strcmp(argv[1], "texte") == 0;
  QApplication application(argc, argv);
  std::unique_ptr<QWidget> fenetre = texte ? std::make_unique<QLabel>(QStringLiteral("ZOR")) : std::make_unique<QWidget>();
  fenetre->show();
  return QApplication::exec();
}
