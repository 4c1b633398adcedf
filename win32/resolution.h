#pragma once
// The screen resolution the windows are laid out at: each window's own monitor's, where the
// system tells it (Windows 10 1607 and later; the program declares itself per-monitor aware, v2,
// in its manifest and at start), else the system's. Looked up at run time, so that the program
// still starts where these functions do not exist.
#include "platform/windows_leger.h"

namespace zor::win32 {

// Per-monitor awareness (v2) for the process, before any window; the manifest says the same.
void declarerResolutionParEcran();
// The system's resolution, in points per inch (96 at 100 %).
int resolutionSysteme();
// The resolution of the monitor the window is on.
int resolutionFenetre(HWND fenetre);
// The window's frame around `client` (in, out) at that resolution.
void ajouterCadre(RECT& client, DWORD style, bool menu, DWORD styleEtendu, int pointsParPouce);
// The window at `coin` (its frame's top-left corner on the screen) with a client area of
// exactly this size, its frame reckoned at that resolution and then measured.
void placerFenetre(HWND fenetre, POINT coin, int largeurClient, int hauteurClient, int pointsParPouce);

}  // namespace zor::win32
