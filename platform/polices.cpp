#include "platform/polices.h"

#include <QStringList>

namespace zor::platform {
namespace {
QFont policeSansSerif(QStringList familles, double points) {
  familles << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << QStringLiteral("DejaVu Sans");
  QFont f;
  f.setFamilies(familles);
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(points);
  return f;
}
}  // namespace

QFont policeMsSansSerif(double points, bool gras) {
  QFont f = policeSansSerif({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")}, points);
  f.setBold(gras);
  return f;
}

QFont policeTahoma(double points, bool gras, bool italique, bool souligne) {
  QFont f = policeSansSerif({QStringLiteral("Tahoma")}, points);
  f.setBold(gras);
  f.setItalic(italique);
  f.setUnderline(souligne);
  return f;
}

}  // namespace zor::platform
