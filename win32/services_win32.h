#pragma once
// The window's services on Win32: what a caller leaves empty is filled with the real one — the
// machine's serial devices, the system's message boxes and open dialog, painting during
// transfers, the event loop and its end. They act on the window `fenetre` points to once it is
// made.
#include "app/services.h"
#include "win32/boucle.h"
#include "win32/form1_win32.h"

namespace zor::win32 {

app::Services servicesWin32(app::Services services, Boucle& boucle, Form1Win32* const& fenetre);

}  // namespace zor::win32
