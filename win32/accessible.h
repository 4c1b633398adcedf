#pragma once
// Screen readers on Windows (MSAA, through oleacc): a control answers WM_GETOBJECT with the
// system's own accessible object for it, except for its name, value and description, which are
// the model's (ihm/accessibilite.h), and its role, the one its kind has (the system gives a bare
// "client" to a window of the program's own class, the echo label, and wine to every control).
// Asked for each time a screen reader reads them, they follow every change of the model; once
// the control is gone its object answers nothing.
#include <functional>

#include "ihm/accessibilite.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

// `lire` is called on the window's thread whenever a screen reader asks; it lives as long as
// `controle` does. `role`: ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_STATICTEXT…
void rendreAccessible(HWND controle, std::function<Accessibilite()> lire, long role);

}  // namespace zor::win32
