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

  // Where the picture and the caption go on the face, pressed or not (core/disposition_bouton.h,
  // shared with the Win32 front end).
  struct Disposition {
    QRect image;
    QRect texte;
    bool coupee = false;  // the picture is drawn only above the caption
  };
  Disposition disposition() const;

 protected:
  void paintEvent(QPaintEvent* evenement) override;
};

}  // namespace zor::qt
