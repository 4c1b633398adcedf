#include "app/form1.h"
#include "about/frmabout.h"

namespace zor::app {

void Form1::zorfrmabout_Click() {}

apropos::frmAbout* Form1::boiteAPropos() const { return apropos_.data(); }

}  // namespace zor::app
