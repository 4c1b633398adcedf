#include "qt/style.h"

#include <QGuiApplication>
#include <QStyleOption>
#include <QWidget>

#include "qt/apparence.h"

namespace zor::qt {

QIcon StyleZor::standardIcon(StandardPixmap image, const QStyleOption* option, const QWidget* widget) const {
  // The option and the widget may be gone by then; what they tell (the layout direction) is
  // taken now.
  const Qt::LayoutDirection sens = option != nullptr ? option->direction
                                   : widget != nullptr ? widget->layoutDirection()
                                                       : QGuiApplication::layoutDirection();
  const QStyle* base = baseStyle();
  return iconeDifferee([base, image, sens] {
    QStyleOption o;
    o.direction = sens;
    return base->standardIcon(image, &o);
  });
}

}  // namespace zor::qt
