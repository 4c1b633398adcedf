#include "qt/accessibilite.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include "qt/cp1252.h"
#include "qt/etiquette_fenetre.h"
#include "qt/listes.h"

namespace zor::qt {
namespace {

// The toolkit's own interface of an editable combo box gives, on Linux, its current text as its
// name (its label is meant to come through a relation), and a widget of the program's own is a
// bare "client" without text. These two say what the model says: a list named by its label,
// its text as its value; the echo label a static text named by what it shows.
class AccessibleZor : public QAccessibleWidget {
 public:
  AccessibleZor(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

  QString text(QAccessible::Text t) const override {
    if (auto* echo = qobject_cast<EtiquetteFenetre*>(widget()); echo != nullptr && t == QAccessible::Name)
      return echo->texteQuiSeVoit();
    if (auto* liste = qobject_cast<QComboBox*>(widget()); liste != nullptr && t == QAccessible::Value)
      return liste->currentText();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* fabrique(const QString&, QObject* objet) {
  if (auto* liste = qobject_cast<ListeModifiable*>(objet)) return new AccessibleZor(liste, QAccessible::ComboBox);
  if (auto* echo = qobject_cast<EtiquetteFenetre*>(objet)) return new AccessibleZor(echo, QAccessible::StaticText);
  return nullptr;
}

}  // namespace

void rendreAccessible(QWidget& w, const Accessibilite& a) {
  static const bool installee = [] {
    QAccessible::installFactory(fabrique);
    return true;
  }();
  (void)installee;
  const QString description = depuisUtf8(a.description);
  QWidget* cibles[] = {&w, nullptr};
  // The edit field of a list is where the focus is read: it carries the list's name too.
  if (auto* liste = qobject_cast<QComboBox*>(&w)) cibles[1] = liste->lineEdit();
  for (QWidget* c : cibles) {
    if (c == nullptr) continue;
    if (qobject_cast<EtiquetteFenetre*>(c) == nullptr && c->accessibleName() != depuisUtf8(a.nom))
      c->setAccessibleName(depuisUtf8(a.nom));
    if (c->accessibleDescription() != description) c->setAccessibleDescription(description);
  }
}

}  // namespace zor::qt
