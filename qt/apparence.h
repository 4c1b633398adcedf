#pragma once
// The pictures and the button borders of the windows.
#include <QColor>
#include <QIcon>
#include <QPixmap>

#include "ihm/controle.h"

namespace zor::qt {

inline QColor couleur(const Couleur& c) { return QColor(c.r, c.g, c.b); }

// The 3D border of command buttons, in the system's colours whatever the button's face.
inline const QColor kReflet3D(255, 255, 255);
inline const QColor kClair3D(227, 227, 227);
inline const QColor kOmbre3D(160, 160, 160);
inline const QColor kOmbreProfonde3D(105, 105, 105);

// Icons drawn by the program itself: nothing borrowed.
QIcon iconeOk();
QIcon iconeOuvrir();
QIcon iconeEcrire();  // 32 × 32
QIcon iconeLire();    // 32 × 32
QIcon iconeSortie();
QIcon iconeFenetre();  // 32 × 32 window icon
// The picture of a control or window of the program.
QIcon icone(Image image);
// The about box's 32 × 32 picture.
QPixmap imageAPropos();

}  // namespace zor::qt
