#pragma once
// A graphical command button: its picture above its caption on a flat face of its own colour
// (QPalette::Button), inside a raised 3D border that sinks while the button is pressed, with a
// dotted focus rectangle while it has the focus.
#include <QIcon>
#include <QRect>
#include <QToolButton>

#include "ihm/controle.h"

namespace zor::qt {

class BoutonImage : public QToolButton {
  Q_OBJECT

 public:
  using QToolButton::QToolButton;

  // The picture, read from the program's resources the first time the button paints: nothing
  // is decoded before the window shows.
  void definirImage(Image image) { image_ = image; }

  // Where the picture and the caption go on the face, pressed or not (ihm/disposition_bouton.h,
  // shared with the Win32 front end).
  struct Disposition {
    QRect image;
    QRect texte;
    bool coupee = false;  // the picture is drawn only above the caption
  };
  Disposition disposition() const;

 protected:
  void paintEvent(QPaintEvent* evenement) override;

 private:
  Image image_ = Image::Aucune;
  QIcon icone_;
};

}  // namespace zor::qt
