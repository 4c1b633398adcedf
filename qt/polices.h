#pragma once
// The Windows fonts the windows are drawn with, or the nearest the system has with the same
// widths (Liberation Sans is metric-compatible with Arial).
#include <QFont>

#include "ihm/controle.h"

namespace zor::qt {

QFont police(const Police& p);

}  // namespace zor::qt
