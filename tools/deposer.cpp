// A file dragged from another program, as a file manager drags it, for checking windows that
// take dropped files on an X display (the Qt window, zor.exe under wine):
//   zor-deposer FICHIER X Y
// shows a small window at X,Y (screen pixels) and, at the first button press in it, drags
// FICHIER (a file URL) with the copy action; the one who drives the pointer (xdotool) then
// moves it onto the window to drop on and lets go. Prints the action the target chose
// (« copie », « refusé »…) and ends.
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

class Source : public QWidget {
 public:
  explicit Source(QString fichier) : fichier_(std::move(fichier)) {}

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* donnees = new QMimeData;
    donnees->setUrls({QUrl::fromLocalFile(fichier_)});
    auto* glisser = new QDrag(this);
    glisser->setMimeData(donnees);
    const Qt::DropAction action = glisser->exec(Qt::CopyAction);
    std::puts(action == Qt::CopyAction ? "copie" : action == Qt::IgnoreAction ? "refusé" : "autre");
    std::fflush(stdout);
    QApplication::quit();
  }

 private:
  QString fichier_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 4) {
    std::fputs("usage : zor-deposer FICHIER X Y\n", stderr);
    return 2;
  }
  Source source(QFile::decodeName(argv[1]));
  source.setWindowTitle(QStringLiteral("zor-deposer"));
  source.setGeometry(std::atoi(argv[2]), std::atoi(argv[3]), 60, 60);
  source.show();
  return application.exec();
}
