#pragma once
// The window's services that need no toolkit, the machine's own: the serial devices under both
// serial controls and the detection of the ports. Each front end fills with these what its
// caller (the program, a test) left empty, then adds its own: boxes, dialog, event loop, end.
#include "app/services.h"

namespace zor::app {

Services servicesDeLaMachine(Services services);

}  // namespace zor::app
