#pragma once
// Placeholder: the about box.
#include <QWidget>

namespace zor::apropos {

class frmAbout : public QWidget {
  Q_OBJECT
};

}  // namespace zor::apropos
