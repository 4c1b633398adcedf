#pragma once
// The controls of any window on Qt: one function makes the widget of any control of the model,
// whichever window it belongs to, one other mirrors any change of it, and what the user does
// with a widget goes to the window's one entry (ihm/evenement.h).
#include <QWidget>
#include <functional>
#include <span>
#include <vector>

#include "ihm/controle.h"
#include "ihm/evenement.h"

namespace zor::qt {

// The window's entry: its model's `recevoir`.
using Envoi = std::function<bool(const Evenement&)>;

// The widget of `controle`, a child of `parent` at its place (in pixels at the parent's
// resolution), with its look, its current text and its visibility. A menu entry has none: the
// window's menu bar holds it.
QWidget* creerWidget(Controle& controle, QWidget* parent, const Envoi& envoyer);
// Shows on `widget` what changed in `controle`.
void refleter(QWidget& widget, const Controle& controle, Propriete propriete);

// The widgets of one window's controls. A control hidden at start gets its widget when it first
// shows (or is asked for): nothing of it is built before the window shows. The focus chain and
// the stacking of the widgets follow the controls' order whenever they are made. A control that
// hides with the focus hands it on as every front end does (ihm/focus.h), and screen readers
// are told of each control as the model describes it (ihm/accessibilite.h).
class Widgets {
 public:
  void construire(std::span<Controle* const> controles, QWidget* parent, Envoi envoyer);
  // The widget of a control of this window, made now if it was not yet.
  QWidget* widget(const Controle& controle);
  void refleter(const Controle& controle, Propriete propriete);
  // The first control in tab order that takes the focus, as a window opens.
  QWidget* premierFocus() const;

 private:
  struct Entree {
    Controle* controle;
    QWidget* widget = nullptr;
  };
  QWidget* faire(std::size_t i);
  // `e` hides: if it has the focus, the focus goes on (ihm/focus.h).
  void cederFocus(const Entree& e);
  // What screen readers are told of the controls whose name depends on `change` (itself, and
  // those a label names), after it changed.
  void accessibles(const Controle& change);

  std::vector<Controle*> controles_;
  std::vector<Entree> entrees_;  // in tab order
  QWidget* parent_ = nullptr;
  Envoi envoyer_;
};

}  // namespace zor::qt
