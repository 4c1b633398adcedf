#pragma once
// The pictures and the button borders of the windows.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <functional>

#include "ihm/controle.h"

namespace zor::qt {

inline QColor couleur(const Couleur& c) { return QColor(c.r, c.g, c.b); }

// The 3D border of command buttons, in the system's colours whatever the button's face.
inline const QColor kReflet3D(255, 255, 255);
inline const QColor kClair3D(227, 227, 227);
inline const QColor kOmbre3D(160, 160, 160);
inline const QColor kOmbreProfonde3D(105, 105, 105);

// A picture of the program, at every side it was rendered at (paquet/images.cmake), read from
// the program's resources as the PNG files they are: no image plug-in is loaded for it.
QIcon icone(Image image);
// The picture at `cote` pixels, sharp on a screen scaled by `echelle`.
QPixmap pixmap(Image image, int cote, qreal echelle = 1);

// An icon made by `faire` only when it is first painted or measured.
QIcon iconeDifferee(std::function<QIcon()> faire);

}  // namespace zor::qt
