// What the Qt window draws for the model: one widget per control where the model puts it, with
// its colours, font and tooltip; every change the model makes mirrored at once; the keys and
// the focus as a Windows window routes them; the echo as a screen reader reads it (the whole
// window is walked over the desktop's AT-SPI bus by tests/qt/atspi.sh).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

#include "qt/apparence.h"
#include "qt/cp1252.h"
#include "qt/etiquette_fenetre.h"
#include "qt/style.h"
#include "tests/support/fenetre.h"

namespace zor::qt {
namespace {

using RenduTest = test::FenetreQt;

QString texteDuWidget(QWidget* w) {
  if (auto* e = qobject_cast<QLabel*>(w)) return e->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QComboBox*>(w)) return l->currentText();
  return {};
}

TEST_F(RenduTest, ChaqueControleCommeLeModeleLeDecrit) {
  for (Controle* c : modele.controles()) {
    const Description& d = c->description();
    QWidget* widget = w(*c);
    ASSERT_NE(widget, nullptr) << c->nom();
    const std::string nom(c->nom());
    EXPECT_EQ(widget->objectName().toStdString(), nom);
    EXPECT_EQ(widget->parentWidget(), form.client()) << nom;
    EXPECT_EQ(widget->pos(), QPoint(form.px(d.position.gauche), form.px(d.position.haut))) << nom;
    if (!d.tailleAuTexte) {
      EXPECT_EQ(widget->size(), QSize(form.px(d.position.largeur), form.px(d.position.hauteur))) << nom;
      EXPECT_EQ(texteDuWidget(widget).toStdString(), c->Caption()) << nom;
    }
    EXPECT_EQ(widget->isVisibleTo(form.client()), c->Visible()) << nom;
    EXPECT_EQ(widget->toolTip().toStdString(), d.infobulle) << nom;
    const QFontInfo police(widget->font());
    EXPECT_NEAR(police.pointSizeF(), d.police.points, 0.5) << nom;
    EXPECT_EQ(police.bold(), d.police.gras) << nom;
    EXPECT_EQ(police.italic(), d.police.italique) << nom;
    EXPECT_EQ(widget->font().underline(), d.police.souligne) << nom;
    if (d.texte) {
      EXPECT_EQ(widget->palette().color(QPalette::WindowText), QColor(d.texte->r, d.texte->g, d.texte->b)) << nom;
    }
    if (d.fond && d.genre != Genre::Liste) {
      EXPECT_EQ(widget->palette().color(QPalette::Window), QColor(d.fond->r, d.fond->g, d.fond->b)) << nom;
    }
    if (auto* l = qobject_cast<QComboBox*>(widget)) {
      EXPECT_TRUE(l->isEditable()) << nom;
      ASSERT_EQ(l->count(), static_cast<int>(d.liste.size())) << nom;
      for (int i = 0; i < l->count(); ++i) EXPECT_EQ(l->itemText(i).toStdString(), d.liste[static_cast<std::size_t>(i)]);
    }
  }
  EXPECT_TRUE(qobject_cast<QRadioButton*>(w(modele.profil))->isChecked());
  EXPECT_EQ(form.windowTitle().toStdString(), app::kTitreForm1);
  EXPECT_EQ(form.client()->size(), QSize(form.px(9465), form.px(4515)));
  EXPECT_EQ(form.client()->palette().color(QPalette::Window), QColor(192, 255, 192));
  ASSERT_EQ(form.menuBar()->actions().size(), 1);
  EXPECT_EQ(form.menuBar()->actions().first()->text(), QStringLiteral("A propos"));

  // Resizing the window moves nothing.
  const QRect avant = w(modele.sortie)->geometry();
  form.resize(form.width() + 200, form.height() + 120);
  QTest::qWait(10);
  EXPECT_EQ(w(modele.sortie)->geometry(), avant);
}

TEST_F(RenduTest, ChaqueChangementDuModeleSeVoitAussitot) {
  QTest::mouseClick(w(modele.ok), Qt::LeftButton);
  QTest::mouseClick(w(modele.ok1), Qt::LeftButton);
  modele.zor.Caption(" Reception de waypoints d'un ZOR FX312 4X4");
  modele.nom.Text("G7towin");
  modele.waypoint.Value(true);
  modele.profil.Value(false);
  for (Controle* c : modele.controles()) {
    EXPECT_EQ(w(*c)->isVisible(), c->Visible()) << c->nom();
    if (!c->description().tailleAuTexte) {
      EXPECT_EQ(texteDuWidget(w(*c)).toStdString(), c->Caption()) << c->nom();
    }
  }
  EXPECT_TRUE(qobject_cast<QRadioButton*>(w(modele.waypoint))->isChecked());
  // And what the user does reaches the model.
  QTest::mouseClick(w(modele.profil), Qt::LeftButton);
  EXPECT_TRUE(modele.profil.Value());
  EXPECT_FALSE(modele.waypoint.Value());
}

TEST_F(RenduTest, EntreeAuDepartNeFaitRien) {
  QTest::keyClick(&form, Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form, Qt::Key_Enter);
  EXPECT_FALSE(fin.termine());
  EXPECT_TRUE(modele.ok.Visible());
  EXPECT_FALSE(modele.Comm.Visible());
}

TEST_F(RenduTest, FenetreSAgranditAvecSonTexte) {
  const std::string courte = "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59";
  const std::string longue = "$GPWPL,4530.123,N,00130.456,E,\xC9TANG *2E";
  modele.fenetre.definirOctets(courte + "\r\n" + longue + "\r\n");
  modele.fenetre.ajouterOctets(courte + "\r\n");
  // Every line is whole on screen: the label is at least as wide as its widest line and as
  // high as its lines, and it shows them.
  auto* fenetre = static_cast<EtiquetteFenetre*>(w(modele.fenetre));
  const QFontMetrics mesures(fenetre->font());
  EXPECT_EQ(fenetre->nombreLignes(), 3u);
  EXPECT_GE(fenetre->width(), mesures.horizontalAdvance(depuisWindows1252(longue)));
  EXPECT_EQ(fenetre->height(), 3 * mesures.lineSpacing());
  modele.fenetre.Visible(true);
  const QImage image = fenetre->grab().toImage();
  int encre = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) encre += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(encre, 100);
  modele.fenetre.definirOctets({});
  EXPECT_LT(fenetre->height(), mesures.lineSpacing() * 2);
}

// A screen reader reads the echo label as the lines that show inside the window (millions of
// sentences may be in it), as the Windows-1252 characters they are.
TEST_F(RenduTest, LEchoSeLitCommeLesLignesQuiSeVoient) {
  std::string octets;
  for (int i = 0; i < 5000; ++i) octets += "$GPWPL,ligne " + std::to_string(i) + "\r\n";
  modele.fenetre.definirOctets(octets);
  modele.fenetre.Visible(true);
  QWidget* echo = w(modele.fenetre);
  const QStringList lignes = QAccessible::queryAccessibleInterface(echo)->text(QAccessible::Name).split(QLatin1Char('\n'));
  const int place = form.client()->height() - echo->y();
  EXPECT_GE(lignes.size() * echo->fontMetrics().lineSpacing(), place);
  EXPECT_LT((lignes.size() - 1) * echo->fontMetrics().lineSpacing(), place);
  EXPECT_EQ(lignes.front(), QStringLiteral("$GPWPL,ligne 0"));
  modele.fenetre.definirOctets("\xC9TANG\r\n");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(echo)->text(QAccessible::Name), QStringLiteral("ÉTANG"));
}

// A control hidden at start gets its widget as it first shows, whatever the order the workflow
// shows them in: the later control in tab order still covers the earlier where they overlap
// (the two count captions), and the focus chain still follows the tab order.
TEST_F(RenduTest, UnControleFaitPlusTardGardeSaPlaceDansLaPileEtLOrdre) {
  const QPoint chevauchement(form.px(1000), form.px(3500));  // inside both nombre1 and Label2
  modele.Label2.Visible(true);
  modele.nombre1.Visible(true);
  EXPECT_EQ(form.client()->childAt(chevauchement), w(modele.Label2));
  modele.ok_Click();
  QStringList chaine;
  for (QWidget* c = w(modele.profil)->nextInFocusChain(); c != w(modele.profil); c = c->nextInFocusChain())
    if (c->parentWidget() == form.client() && c->focusPolicy() != Qt::NoFocus) chaine << c->objectName();
  EXPECT_LT(chaine.indexOf(QStringLiteral("sortie")), chaine.indexOf(QStringLiteral("Comm")));
  EXPECT_LT(chaine.indexOf(QStringLiteral("Comm")), chaine.indexOf(QStringLiteral("ok")));
}

// Every picture of the program is in its resources at its side and at twice it, and shows
// something; a deferred icon is made only when first measured or painted, and is the same.
TEST(Images, ChaqueImageASesTaillesEtUneIconeDiffereeAttendSaPeinture) {
  const struct {
    Image image;
    int cote;
  } cas[] = {{Image::Ok, 16},     {Image::Ouvrir, 16},  {Image::Ecrire, 32}, {Image::Lire, 32},
             {Image::Sortie, 16}, {Image::Fenetre, 32}, {Image::APropos, 32}};
  for (const auto& c : cas) {
    for (const qreal echelle : {1.0, 2.0}) {
      const QImage image = pixmap(c.image, c.cote, echelle).toImage();
      ASSERT_EQ(image.size(), QSize(c.cote, c.cote) * echelle) << static_cast<int>(c.image) << " x" << echelle;
      int peints = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) peints += qAlpha(image.pixel(x, y)) > 0;
      EXPECT_GT(peints, image.width() * image.height() / 8) << static_cast<int>(c.image) << " x" << echelle;
    }
  }
  int faites = 0;
  const QIcon differee = iconeDifferee([&] {
    ++faites;
    return icone(Image::Ok);
  });
  const QIcon copie = differee;
  EXPECT_EQ(faites, 0);
  EXPECT_EQ(copie.pixmap(16).toImage(), icone(Image::Ok).pixmap(16).toImage());
  EXPECT_EQ(faites, 1);
}

// The program's style gives the desktop style's own standard pictures, only later: the same
// pixels, the direction they were asked for included.
TEST(Images, LeStyleDuProgrammeDonneLesImagesStandardDuStyleDeBase) {
  StyleZor style;
  for (const auto image : {QStyle::SP_MessageBoxWarning, QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ArrowBack})
    for (const auto sens : {Qt::LeftToRight, Qt::RightToLeft}) {
      QStyleOption option;
      option.direction = sens;
      const QImage attendue = QApplication::style()->standardIcon(image, &option).pixmap(16).toImage();
      EXPECT_EQ(style.standardIcon(image, &option).pixmap(16).toImage(), attendue) << image << " " << sens;
    }
}

using EtapeTypeTest = test::FenetreQtEtapeType;

TEST_F(EtapeTypeTest, OrdreDeTabulationSuitLOrdreDesControlesEtCommenceParProfil) {
  EXPECT_EQ(QApplication::focusWidget(), w(modele.profil));
  const QStringList attendu{"profil", "ouvrir", "sortie", "Comm", "lire", "nom"};
  QStringList vus;
  QWidget* courant = w(modele.profil);
  do {
    if (courant->parentWidget() == form.client() && courant->isVisible() && (courant->focusPolicy() & Qt::TabFocus) &&
        !vus.contains(courant->objectName()))
      vus << courant->objectName();
    courant = courant->nextInFocusChain();
  } while (courant != w(modele.profil));
  // `waypoint` shares the group of `profil`: Tab skips the option that is not selected.
  vus.removeAll(QStringLiteral("waypoint"));
  EXPECT_EQ(vus, attendu);
}

// The two lists are compared as exact text elsewhere: what the user types must reach the model
// exactly as typed, even when the focus leaves the list (no completion, no change of case).
TEST_F(EtapeTypeTest, ListesEditablesGardentLeTexteTapeTelQuel) {
  struct Cas {
    Controle& liste;
    QString tape;
  };
  const Cas cas[] = {{modele.Comm, "comm2"}, {modele.Comm, "c"},   {modele.Comm, "COM2"},
                     {modele.nom, "format zor"}, {modele.nom, "Autoroute Express"}, {modele.nom, "g7towin"}};
  for (const auto& c : cas) {
    auto* liste = qobject_cast<QComboBox*>(w(c.liste));
    liste->setFocus();
    liste->lineEdit()->selectAll();
    QTest::keyClicks(liste->lineEdit(), c.tape);
    EXPECT_EQ(c.liste.Text(), c.tape.toStdString()) << "pendant la frappe";
    w(modele.lire)->setFocus();  // the focus leaves the list, as when a button is clicked
    QApplication::processEvents();
    EXPECT_EQ(c.liste.Text(), c.tape.toStdString()) << "après la sortie de la liste";
  }
  // Picking an item from the list still works.
  qobject_cast<QComboBox*>(w(modele.Comm))->setCurrentIndex(2);
  EXPECT_EQ(modele.Comm.Text(), "Comm3");
}

}  // namespace
}  // namespace zor::qt
