#pragma once
// The window's services on Qt: what a caller (the program, a test) leaves empty is filled with
// the real one — the machine's serial devices, message boxes, the open dialog, painting during
// transfers, the event loop and its end. They act on the window `fenetre` points to once it is
// made.
#include <QPointer>

#include "app/services.h"
#include "qt/form1_qt.h"

namespace zor::qt {

app::Services servicesQt(app::Services services, const QPointer<Form1Qt>& fenetre);

}  // namespace zor::qt
