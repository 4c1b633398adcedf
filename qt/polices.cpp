#include "qt/polices.h"

#include <QStringList>

namespace zor::qt {

QFont police(const Police& p) {
  QStringList familles;
  if (p.famille == "MS Sans Serif") familles << QStringLiteral("MS Sans Serif") << QStringLiteral("Microsoft Sans Serif");
  else familles << QString::fromUtf8(p.famille.data(), static_cast<qsizetype>(p.famille.size()));
  familles << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << QStringLiteral("DejaVu Sans");
  QFont f;
  f.setFamilies(familles);
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(p.points);
  f.setBold(p.gras);
  f.setItalic(p.italique);
  f.setUnderline(p.souligne);
  return f;
}

}  // namespace zor::qt
