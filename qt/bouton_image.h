#pragma once
// A graphical command button: its picture above its caption on a flat face of its own colour
// (QPalette::Button), inside a raised 3D border that sinks while the button is pressed, with a
// dotted focus rectangle while it has the focus.
#include <QRect>
#include <QToolButton>

namespace zor::qt {

class BoutonImage : public QToolButton {
  Q_OBJECT

 public:
  using QToolButton::QToolButton;

  // Where the picture and the caption go on the face, pressed or not: the picture at its own
  // size above the caption, the two centred on the face, the caption always on a full line.
  // A face too low for both clips the top of the picture, as a Windows graphical button does.
  // The "Ok" buttons are so low that less than half of their picture would show above the
  // caption: there the picture goes at the caption's left, which reads best.
  struct Disposition {
    QRect image;
    QRect texte;
  };
  Disposition disposition() const;

 protected:
  void paintEvent(QPaintEvent* evenement) override;
};

}  // namespace zor::qt
