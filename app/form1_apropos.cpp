#include "about/frmabout.h"
#include "app/form1.h"

namespace zor::app {

void Form1::zorfrmabout_Click() {
  // One box at most. An unloaded box is on its way out; the next choice loads a new one.
  // No owner: the box outlives the main window until the user closes it too.
  if (apropos_.isNull() || apropos_->decharge()) apropos_ = new apropos::frmAbout(services_.messages, services_.lancement);
  apropos_->afficher();
}

apropos::frmAbout* Form1::boiteAPropos() const { return apropos_.data(); }

}  // namespace zor::app
