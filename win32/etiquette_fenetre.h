#pragma once
// How `fenetre` is drawn: the label that echoes every sentence of every run and every record
// received, so its caption can hold millions of lines. The bytes stay in the window's model
// (Windows-1252, one byte a character); this window keeps only a line index (shared with the
// other front end: ihm/lignes_caption.h), sizes itself from a table of character widths, and
// decodes only the lines that show.
#include <string>

#include "ihm/controle.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

// A child window of `parent` at (x, y) in pixels, hidden, drawing the caption of `modele`.
HWND creerEtiquetteFenetre(HWND parent, const Controle& modele, HFONT police, Couleur fond, int x, int y, int id);
// The caption was replaced, or had bytes added at its end: the label measures and sizes itself.
void captionRemplacee(HWND etiquette);
void octetsAjoutes(HWND etiquette);
// Another resolution: the label measures its characters again and sizes itself.
void policeChangee(HWND etiquette, HFONT police);
// The lines that show inside the parent's client area, for a screen reader (the label's name).
std::wstring texteQuiSeVoit(HWND etiquette);

}  // namespace zor::win32
