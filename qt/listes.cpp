#include "qt/listes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace zor::qt {

namespace {

// Sits on the open list's view. The toolkit offers Esc to the window's shortcuts before the
// list gets the key, and the list merely closes itself on that offer: Esc would then both
// close the list and click the cancel button. Taking the offer here keeps the key for the list.
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

void fermerListeParEchap(QComboBox& liste) { liste.view()->installEventFilter(new GardeEchap(liste)); }

void montrerTextesEntiers(QComboBox& liste) {
  QAbstractItemView* vue = liste.view();
  int largeur = vue->sizeHintForColumn(0) + 2 * vue->frameWidth();
  if (liste.count() > liste.maxVisibleItems()) largeur += vue->verticalScrollBar()->sizeHint().width();
  vue->setMinimumWidth(largeur);
  // A picked item replaces the text with the cursor at its end, which scrolls a long text so
  // that only its end shows.
  QObject::connect(&liste, &QComboBox::currentIndexChanged, &liste, [&liste] {
    if (QLineEdit* edition = liste.lineEdit()) edition->setCursorPosition(0);
  });
}

}  // namespace zor::qt
