#pragma once
// A graphical command button, owner-drawn: its picture above its caption on a flat face of its
// own colour, inside a raised 3D border that sinks while the button is pressed, with a dotted
// focus rectangle while it has the focus. Where the face is too low for both, the shared
// disposition (ihm/disposition_bouton.h) keeps the caption whole and the picture at its size,
// cut at the caption's top ("lire", "ecrire"), or beside the caption ("ok", "ok1").
#include "ihm/controle.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

void dessinerBoutonImage(const DRAWITEMSTRUCT& dessin, Couleur face, HICON icone, int cote);

}  // namespace zor::win32
