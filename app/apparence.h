#pragma once
// Colours, fonts and icons of the main window.
#include <QColor>
#include <QFont>
#include <QIcon>

namespace zor::app {

inline const QColor kFondFenetre(192, 255, 192);
inline const QColor kFondBouton(255, 224, 192);
inline const QColor kFondSortie(255, 192, 192);
inline const QColor kFondComm(255, 255, 192);
inline const QColor kRouge(255, 0, 0);
inline const QColor kBleu(0, 0, 255);

// MS Sans Serif and Tahoma where the system has them, otherwise the nearest sans-serif
// with the same widths (Liberation Sans is metric-compatible with Arial).
QFont policeMsSansSerif(double points, bool gras = false);
QFont policeTahoma(double points, bool gras, bool italique, bool souligne);

// Icons drawn by the program itself: nothing borrowed.
QIcon iconeOk();
QIcon iconeOuvrir();
QIcon iconeEcrire();  // 32 × 32
QIcon iconeLire();    // 32 × 32
QIcon iconeSortie();
QIcon iconeFenetre();  // 32 × 32 window icon

}  // namespace zor::app
