#pragma once
// Placeholder: the serial control stand-in.
#include <QObject>

namespace zor::serie {

class MSComm : public QObject {
  Q_OBJECT
};

}  // namespace zor::serie
