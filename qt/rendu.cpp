#include "qt/rendu.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "ihm/focus.h"
#include "qt/accessibilite.h"
#include "qt/apparence.h"
#include "qt/bouton_image.h"
#include "qt/cp1252.h"
#include "qt/etiquette_fenetre.h"
#include "qt/listes.h"
#include "qt/polices.h"

namespace zor::qt {
namespace {

void peindreFond(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette pal = w->palette();
  pal.setColor(role, c);
  w->setPalette(pal);
}

void peindreTexte(QWidget* w, const QColor& c) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, c);
  pal.setColor(QPalette::ButtonText, c);
  pal.setColor(QPalette::Text, c);
  w->setPalette(pal);
}

int px(const QWidget* parent, int twips) { return pixels(twips, parent->logicalDpiX()); }

QComboBox* liste(Controle& c, QWidget* parent, const Envoi& envoyer) {
  auto* l = new ListeModifiable([envoyer, &c] { envoyer(Evenement::listeOuverte(c)); }, parent);
  for (const std::string& element : c.description().liste) l->addItem(depuisUtf8(element));
  l->setEditText(depuisUtf8(c.Text()));
  QObject::connect(l, &QComboBox::editTextChanged, l, [&c](const QString& texte) { c.definirTexteSaisi(versUtf8(texte)); });
  return l;
}

}  // namespace

QWidget* creerWidget(Controle& c, QWidget* parent, const Envoi& envoyer) {
  const Description& d = c.description();
  QWidget* w = nullptr;
  switch (d.genre) {
    case Genre::Option: {
      auto* o = new QRadioButton(depuisUtf8(c.Caption()), parent);
      o->setChecked(c.Value());
      o->setBackgroundRole(QPalette::Window);
      QObject::connect(o, &QRadioButton::toggled, o, [&c](bool coche) { c.definirValeurChoisie(coche); });
      w = o;
      break;
    }
    case Genre::Etiquette:
      if (d.tailleAuTexte) {
        w = new EtiquetteFenetre(c, parent);
      } else {
        auto* e = new QLabel(depuisUtf8(c.Caption()), parent);
        e->setTextFormat(Qt::PlainText);
        e->setWordWrap(d.retourLigne);
        e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = e;
      }
      break;
    case Genre::BoutonImage: {
      auto* b = new BoutonImage(parent);
      b->setText(depuisUtf8(c.Caption()));
      b->definirImage(d.image);
      b->setIconSize(QSize(d.coteImage, d.coteImage));
      b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
      b->setFocusPolicy(Qt::StrongFocus);
      QObject::connect(b, &QToolButton::clicked, b, [envoyer, &c] { envoyer(Evenement::clic(c)); });
      w = b;
      break;
    }
    case Genre::Bouton: {
      auto* b = new QPushButton(depuisUtf8(c.Caption()), parent);
      b->setDefault(d.parDefaut);
      QObject::connect(b, &QPushButton::clicked, b, [envoyer, &c] { envoyer(Evenement::clic(c)); });
      w = b;
      break;
    }
    case Genre::Liste: w = liste(c, parent, envoyer); break;
    case Genre::Image: {
      auto* image = new QLabel(parent);
      image->setPixmap(pixmap(d.image, d.coteImage, parent->devicePixelRatioF()));
      w = image;
      break;
    }
    case Genre::Menu: return nullptr;
  }
  w->setObjectName(depuisUtf8(d.nom));
  w->setFont(police(d.police));
  // Labels and buttons paint their own background: where two labels overlap (the two count
  // captions after a download), the one made later covers the other cleanly.
  if (d.genre != Genre::Liste) w->setAutoFillBackground(true);
  if (d.fond) {
    const QColor fond = couleur(*d.fond);
    if (d.genre == Genre::Liste) {
      peindreFond(w, QPalette::Base, fond);
      if (QLineEdit* edition = static_cast<QComboBox*>(w)->lineEdit()) peindreFond(edition, QPalette::Base, fond);
    } else {
      peindreFond(w, QPalette::Window, fond);
      peindreFond(w, QPalette::Button, fond);
    }
  }
  if (d.texte) peindreTexte(w, couleur(*d.texte));
  if (!d.infobulle.empty()) w->setToolTip(depuisUtf8(d.infobulle));
  const Rectangle& r = d.position;
  if (d.genre == Genre::Image)  // it sizes itself to its picture
    w->setGeometry(px(parent, r.gauche), px(parent, r.haut), d.coteImage, d.coteImage);
  else
    w->setGeometry(px(parent, r.gauche), px(parent, r.haut), px(parent, r.largeur), px(parent, r.hauteur));
  if (d.tailleAuTexte) static_cast<EtiquetteFenetre*>(w)->captionRemplacee();
  if (!c.infobullesListe().empty()) refleter(*w, c, Propriete::Infobulles);
  // A double click on a control belongs to the control, never to the window's background.
  w->setAttribute(Qt::WA_NoMousePropagation);
  w->setVisible(c.Visible());
  return w;
}

void refleter(QWidget& w, const Controle& c, Propriete p) {
  switch (p) {
    case Propriete::Visible: w.setVisible(c.Visible()); break;
    case Propriete::Caption:
      if (auto* f = qobject_cast<EtiquetteFenetre*>(&w)) f->captionRemplacee();
      else if (auto* e = qobject_cast<QLabel*>(&w)) e->setText(depuisUtf8(c.Caption()));
      else if (auto* b = qobject_cast<QAbstractButton*>(&w)) b->setText(depuisUtf8(c.Caption()));
      break;
    case Propriete::Ajout:
      if (auto* f = qobject_cast<EtiquetteFenetre*>(&w)) f->octetsAjoutes();
      break;
    case Propriete::Texte:
      if (auto* l = qobject_cast<QComboBox*>(&w)) l->setEditText(depuisUtf8(c.Text()));
      break;
    case Propriete::Valeur:
      if (auto* o = qobject_cast<QRadioButton*>(&w)) o->setChecked(c.Value());
      break;
    case Propriete::Infobulles:
      if (auto* l = qobject_cast<QComboBox*>(&w)) {
        const auto& infobulles = c.infobullesListe();
        for (int i = 0; i < l->count() && i < static_cast<int>(infobulles.size()); ++i)
          l->setItemData(i, depuisUtf8(infobulles[static_cast<std::size_t>(i)]), Qt::ToolTipRole);
      }
      break;
  }
}

void Widgets::construire(std::span<Controle* const> controles, QWidget* parent, Envoi envoyer) {
  parent_ = parent;
  envoyer_ = std::move(envoyer);
  controles_.assign(controles.begin(), controles.end());
  for (Controle* c : controles) entrees_.push_back({c});
  for (std::size_t i = 0; i < entrees_.size(); ++i)
    if (entrees_[i].controle->Visible()) faire(i);
}

QWidget* Widgets::faire(std::size_t i) {
  Entree& e = entrees_[i];
  if (e.widget != nullptr) return e.widget;
  e.widget = creerWidget(*e.controle, parent_, envoyer_);
  if (e.widget == nullptr) return nullptr;
  rendreAccessible(*e.widget, accessibilite(*e.controle, controles_));
  // Made later than the controls after it: it goes before them in the focus chain and under
  // them in the stack (where two labels overlap, the later one covers the other).
  for (std::size_t j = i; j-- > 0;)
    if (QWidget* avant = entrees_[j].widget; avant != nullptr && avant->focusPolicy() != Qt::NoFocus) {
      QWidget::setTabOrder(avant, e.widget);
      break;
    }
  for (std::size_t j = i + 1; j < entrees_.size(); ++j)
    if (QWidget* apres = entrees_[j].widget) {
      e.widget->stackUnder(apres);
      break;
    }
  return e.widget;
}

QWidget* Widgets::widget(const Controle& controle) {
  for (std::size_t i = 0; i < entrees_.size(); ++i)
    if (entrees_[i].controle == &controle) return faire(i);
  return nullptr;
}

void Widgets::refleter(const Controle& controle, Propriete propriete) {
  for (std::size_t i = 0; i < entrees_.size(); ++i) {
    Entree& e = entrees_[i];
    if (e.controle != &controle) continue;
    // A control made now shows its whole state as it is made.
    if (e.widget == nullptr) {
      if (controle.Visible()) faire(i);
    } else {
      if (propriete == Propriete::Visible && !controle.Visible()) cederFocus(e);
      qt::refleter(*e.widget, controle, propriete);
    }
    // What is read changes with a caption, a text or a label that shows or hides; not with
    // each sentence added to the echo label (it tells its screen readers itself).
    if (propriete == Propriete::Visible || propriete == Propriete::Caption || propriete == Propriete::Texte)
      accessibles(controle);
    return;
  }
}

void Widgets::cederFocus(const Entree& e) {
  // The window's focus widget, whether the window is active or not.
  QWidget* focus = parent_->window()->focusWidget();
  if (focus == nullptr || (focus != e.widget && !e.widget->isAncestorOf(focus))) return;
  const Controle* suivant = focusApresDisparition(controles_, *e.controle);
  QWidget* cible = suivant != nullptr ? widget(*suivant) : nullptr;
  (cible != nullptr ? cible : parent_)->setFocus(Qt::OtherFocusReason);
}

void Widgets::accessibles(const Controle& change) {
  for (const Entree& e : entrees_) {
    if (e.widget == nullptr) continue;
    const auto& nommePar = e.controle->description().nommePar;
    if (e.controle == &change || std::find(nommePar.begin(), nommePar.end(), change.nom()) != nommePar.end())
      rendreAccessible(*e.widget, accessibilite(*e.controle, controles_));
  }
}

QWidget* Widgets::premierFocus() const {
  for (const Entree& e : entrees_)
    if (e.widget != nullptr && e.controle->Visible() && (e.widget->focusPolicy() & Qt::TabFocus)) return e.widget;
  return nullptr;
}

}  // namespace zor::qt
