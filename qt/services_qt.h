#pragma once
// The window's services on Qt: what a caller (the program, a test) leaves empty is filled with
// the real one — message boxes, the open dialog, painting during transfers, the event loop, the
// end of the program. They act on the window `fenetre` points to once it is made.
#include <QPointer>

#include "app/services.h"
#include "serial/liaison.h"
#include "serial/peripherique.h"
#include "qt/form1_qt.h"

namespace zor::qt {

app::Services servicesQt(app::Services services, const QPointer<Form1Qt>& fenetre);

// Ends the program at once: the standard streams are flushed, nothing else runs.
[[noreturn]] void terminerProgramme();

}  // namespace zor::qt
