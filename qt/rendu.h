#pragma once
// The controls of any window on Qt: one function makes the widget of any control of the model,
// whichever window it belongs to, one other mirrors any change of it, and what the user does
// with a widget goes to the window's one entry (ihm/evenement.h).
#include <QWidget>
#include <functional>
#include <span>
#include <utility>
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

// The widgets of one window's controls.
class Widgets {
 public:
  // Made in tab order, so that the focus chain follows it.
  void construire(std::span<Controle* const> controles, QWidget* parent, const Envoi& envoyer);
  QWidget* widget(const Controle& controle) const;
  void refleter(const Controle& controle, Propriete propriete) const;
  // The first control in tab order that takes the focus, as a window opens.
  QWidget* premierFocus() const;

 private:
  std::vector<std::pair<const Controle*, QWidget*>> widgets_;
};

}  // namespace zor::qt
