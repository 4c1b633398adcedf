#pragma once
// A graphical command button: its picture centred above its caption, on its own background.
// When the button is too low for both, the picture shrinks and the caption stays readable.
#include <QToolButton>

namespace zor::app {

class BoutonImage : public QToolButton {
  Q_OBJECT

 public:
  using QToolButton::QToolButton;

 protected:
  void paintEvent(QPaintEvent* evenement) override;
};

}  // namespace zor::app
