#pragma once
// Colours, fonts and icons of the main window.
#include <QColor>
#include <QFont>
#include <QIcon>

#include "platform/polices.h"

namespace zor::app {

inline const QColor kFondFenetre(192, 255, 192);
inline const QColor kFondBouton(255, 224, 192);
inline const QColor kFondSortie(255, 192, 192);
inline const QColor kFondComm(255, 255, 192);
inline const QColor kRouge(255, 0, 0);
inline const QColor kBleu(0, 0, 255);
// The 3D border of command buttons, in the system's colours whatever the button's face.
inline const QColor kReflet3D(255, 255, 255);
inline const QColor kClair3D(227, 227, 227);
inline const QColor kOmbre3D(160, 160, 160);
inline const QColor kOmbreProfonde3D(105, 105, 105);

using platform::policeMsSansSerif;
using platform::policeTahoma;

// Icons drawn by the program itself: nothing borrowed.
QIcon iconeOk();
QIcon iconeOuvrir();
QIcon iconeEcrire();  // 32 × 32
QIcon iconeLire();    // 32 × 32
QIcon iconeSortie();
QIcon iconeFenetre();  // 32 × 32 window icon

}  // namespace zor::app
