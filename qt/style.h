#pragma once
// The program's style: the desktop's own, except that its standard pictures (the menu bar's
// overflow arrow, the boxes' icons, the open dialog's) are read from their files when first
// painted, not as the widget that carries them is made. Reading the first picture loads the
// toolkit's image plug-ins, which would otherwise hold the window back from the screen: the
// menu bar asks for its overflow arrow as it is made, though a one-entry menu never shows it.
#include <QProxyStyle>

namespace zor::qt {

class StyleZor : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap image, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace zor::qt
