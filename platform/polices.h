#pragma once
// The Windows fonts the windows are drawn with, or the nearest the system has with the same
// widths (Liberation Sans is metric-compatible with Arial).
#include <QFont>

namespace zor::platform {

QFont policeMsSansSerif(double points = 8.25, bool gras = false);
QFont policeTahoma(double points, bool gras, bool italique, bool souligne);

}  // namespace zor::platform
