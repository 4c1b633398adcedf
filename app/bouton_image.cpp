#include "app/bouton_image.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace zor::app {

void BoutonImage::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionToolButton opt;
  initStyleOption(&opt);
  const QIcon icone = opt.icon;
  const QString texte = opt.text;
  opt.text.clear();
  opt.icon = QIcon();
  p.drawComplexControl(QStyle::CC_ToolButton, opt);

  const int marge = 2;
  const int hauteurTexte = fontMetrics().height();
  const QRect zone = rect().adjusted(marge, marge, -marge, -marge);
  const int place = zone.height() - hauteurTexte;
  const int cote = std::max(0, std::min(iconSize().height(), place));
  const int decalage = isDown() ? 1 : 0;
  if (cote > 0) {
    const QRect rectIcone(zone.center().x() - cote / 2 + decalage, zone.top() + (place - cote) / 2 + decalage, cote,
                          cote);
    icone.paint(&p, rectIcone, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
  }
  const QRect rectTexte(zone.left() + decalage, zone.bottom() - hauteurTexte + 1 + decalage, zone.width(),
                        hauteurTexte);
  p.drawItemText(rectTexte, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                 texte, QPalette::ButtonText);
}

}  // namespace zor::app
