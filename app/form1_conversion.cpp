#include "app/form1.h"

namespace zor::app {

void Form1::ouvrir_Click() {}

}  // namespace zor::app
