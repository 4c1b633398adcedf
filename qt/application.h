#pragma once
// The program's application object. A handler must never let an exception reach the event
// loop (the toolkit would end the program with an English text on the console): whatever
// escapes one is told to the user in French, and the window stays usable.
#include <QApplication>

namespace zor::qt {

class ApplicationZor : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* destinataire, QEvent* evenement) override;
};

}  // namespace zor::qt
