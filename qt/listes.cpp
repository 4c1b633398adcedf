#include "qt/listes.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace zor::qt {

namespace {

// Sits on the open list's view. The toolkit offers Esc to the window's shortcuts before the
// list gets the key, and the list merely closes itself on that offer: Esc would then both
// close the list and click the cancel button. Taking the offer here keeps the key for the list:
// the window's cancel button only sees the next Esc.
class GardeEchap : public QObject {
 public:
  explicit GardeEchap(QComboBox& liste) : QObject(&liste), liste_(liste) {}

 protected:
  bool eventFilter(QObject*, QEvent* evenement) override {
    if (evenement->type() != QEvent::ShortcutOverride) return false;
    auto* touche = static_cast<QKeyEvent*>(evenement);
    // The closed list's view may keep the keyboard focus: Esc then belongs to the window.
    if (!touche->matches(QKeySequence::Cancel) || !liste_.view()->isVisible()) return false;
    touche->accept();
    liste_.hidePopup();
    return true;
  }

 private:
  QComboBox& liste_;
};

}  // namespace

ListeModifiable::ListeModifiable(std::function<void()> ouverture, QWidget* parent)
    : QComboBox(parent), ouverture_(std::move(ouverture)) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // What the user types is compared as exact text (case included) by the port choice and the
  // type dispatch: no completion may change it, neither while typing nor when the list loses
  // the focus (a case-sensitive completer with nothing to offer keeps it as typed).
  auto* completeur = new QCompleter(QStringList(), this);
  completeur->setCaseSensitivity(Qt::CaseSensitive);
  setCompleter(completeur);
  view()->installEventFilter(new GardeEchap(*this));
  // A picked item replaces the text with the cursor at its end, which scrolls a long text so
  // that only its end shows: the edit field shows the start of it.
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (QLineEdit* edition = lineEdit()) edition->setCursorPosition(0);
  });
}

void ListeModifiable::showPopup() {
  if (ouverture_) ouverture_();
  QAbstractItemView* vue = view();
  int largeur = vue->sizeHintForColumn(0) + 2 * vue->frameWidth();
  if (count() > maxVisibleItems()) largeur += vue->verticalScrollBar()->sizeHint().width();
  vue->setMinimumWidth(largeur);
  QComboBox::showPopup();
}

}  // namespace zor::qt
