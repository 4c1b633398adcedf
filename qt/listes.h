#pragma once
// The windows' editable drop-down lists, with what they do around their text beyond the
// toolkit's own combo box.
#include <QComboBox>
#include <functional>

namespace zor::qt {

class ListeModifiable : public QComboBox {
  Q_OBJECT

 public:
  // `ouverture` is told as the list is about to drop down, before it shows.
  ListeModifiable(std::function<void()> ouverture, QWidget* parent);

  // The open list is wide enough for its longest item, whatever the box's own width; it is
  // measured as it opens, not before the window shows.
  void showPopup() override;

 private:
  std::function<void()> ouverture_;
};

}  // namespace zor::qt
