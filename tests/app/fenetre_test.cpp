// The main window as the user meets it: controls, texts, and the two step buttons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/form1.h"
#include "tests/support/fenetre.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::app {
namespace {

struct Visibilite {
  const char* controle;
  bool depart, apresOk, apresOk1;
};

// Which controls the user sees at start, after the first "Ok" and after the second.
const Visibilite kVisibilites[] = {
    {"ok", true, false, false},      {"ok1", false, true, false},     {"Comm", false, true, true},
    {"prtd", false, true, true},     {"Typef", false, false, true},   {"nom", false, false, true},
    {"ouvrir", false, false, true},  {"lire", false, false, true},    {"ecrire", false, false, false},
    {"fenetre", false, false, false}, {"nombre", false, false, false}, {"quant1", true, true, true},
    {"nombre1", false, false, false}, {"result", true, true, true},    {"Label2", false, false, false},
    {"profil", true, true, true},    {"waypoint", true, true, true},  {"Label1", true, true, true},
    {"sortie", true, true, true},    {"zor", true, true, true},
};

class FenetreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  QWidget* controle(const char* nom) {
    auto* w = form.client()->findChild<QWidget*>(QLatin1String(nom));
    EXPECT_NE(w, nullptr) << nom;
    return w;
  }
  void verifier(bool Visibilite::*colonne, const char* etape) {
    for (const auto& v : kVisibilites)
      EXPECT_EQ(controle(v.controle)->isVisible(), v.*colonne) << v.controle << " " << etape;
  }

  test::ObservateurFin fin;
  Form1 form{test::services(fin)};
};

TEST_F(FenetreTest, LesEtapesOkPuisOk1MontrentLesControlesDansLOrdre) {
  verifier(&Visibilite::depart, "au départ");
  EXPECT_TRUE(form.profil->isChecked());
  EXPECT_FALSE(form.waypoint->isChecked());
  EXPECT_TRUE(form.quant1->text().isEmpty());
  EXPECT_TRUE(form.result->text().isEmpty());

  QTest::mouseClick(form.ok, Qt::LeftButton);
  verifier(&Visibilite::apresOk, "après ok");
  EXPECT_EQ(form.prtd->text(), QStringLiteral("Port de comm:"));
  EXPECT_EQ(form.Comm->currentText(), QStringLiteral("Comm1"));

  QTest::mouseClick(form.ok1, Qt::LeftButton);
  verifier(&Visibilite::apresOk1, "après ok1");
  EXPECT_EQ(form.Typef->text(), QStringLiteral("Format de fichier :"));
  EXPECT_EQ(form.nom->currentText(), QStringLiteral("Format ZOR"));
  EXPECT_EQ(form.ouvrir->text(), QStringLiteral("Rechercher Fichier"));
  EXPECT_EQ(form.lire->text(), QStringLiteral("&Lire du GPS"));
  EXPECT_FALSE(fin.termine());
}

TEST_F(FenetreTest, TextesEtListesExacts) {
  EXPECT_EQ(form.windowTitle(),
            QStringLiteral("Programme traitant les profils de carte et les waypoints pour ZOR FX312 4X4"));
  EXPECT_EQ(form.zor->text(), QStringLiteral("Envoyer ou recevoir des données (Waypoint ou PDC) vers un Gps ZOR"));
  EXPECT_EQ(form.nombre1->text(), QStringLiteral("nombre d'enregistrements écrits dans le GPS  FX312 4x4:"));
  EXPECT_EQ(form.Label2->text(),
            QStringLiteral("nombre d'enregistrements lus du GPS  FX312 4x4:  et ecrits dans le fichier c:\\zor.txt"));
  EXPECT_EQ(form.fenetre->toolTip(), QStringLiteral("enregidtrements générés allant être écrits dans le GPS"));
  EXPECT_EQ(form.lire->toolTip(), QStringLiteral("Pour recevoir un fichier du gps (Waypoint )"));
  EXPECT_EQ(form.ecrire->text(), QStringLiteral("&Ecrire dans GPS"));
  EXPECT_EQ(form.sortie->text(), QStringLiteral("&Quitter"));

  const QStringList ports{"Comm1", "Comm2", "Comm3", "Comm4"};
  const QStringList types{"Format ZOR", "G7towin", "Autoroute Express 2001"};
  for (auto [liste, attendu] : {std::pair{form.Comm, ports}, std::pair{form.nom, types}}) {
    QStringList vus;
    for (int i = 0; i < liste->count(); ++i) vus << liste->itemText(i);
    EXPECT_EQ(vus, attendu);
    EXPECT_TRUE(liste->isEditable());
  }

  EXPECT_EQ(form.ouverture.DialogTitle, QStringLiteral("Fichier en entrée"));
  EXPECT_EQ(form.ouverture.Filter, QStringLiteral("g7towin ou ZOR (*.txt)|*.txt|Autoroute Express (*.axe)|*.axe|"));
  EXPECT_EQ(form.ecriture.FileName, QStringLiteral("c:\\$_t_e_m_p"));
  EXPECT_EQ(form.ecrizor.FileName, QStringLiteral("c:\\zor.txt"));

  ASSERT_EQ(form.menuBar()->actions().size(), 1);
  EXPECT_EQ(form.menuBar()->actions().first()->text(), QStringLiteral("A propos"));
}

TEST_F(FenetreTest, PositionsEnTwipsEtTailleDeLaZoneClient) {
  struct Place {
    const char* controle;
    int g, h, l, ht;
  };
  const Place places[] = {{"profil", 1320, 480, 1335, 495}, {"ouvrir", 7080, 1680, 1815, 615},
                          {"sortie", 7440, 3240, 1335, 615}, {"Comm", 4800, 600, 1095, 315},
                          {"Label2", 720, 3360, 5295, 615},  {"ok1", 4800, 1440, 1095, 375}};
  for (const auto& p : places) {
    EXPECT_EQ(controle(p.controle)->geometry(), QRect(form.px(p.g), form.px(p.h), form.px(p.l), form.px(p.ht)))
        << p.controle;
  }
  EXPECT_EQ(form.client()->size(), QSize(form.px(9465), form.px(4515)));

  // Resizing the window moves nothing.
  const QRect avant = form.sortie->geometry();
  form.resize(form.width() + 200, form.height() + 120);
  QTest::qWait(10);
  EXPECT_EQ(form.sortie->geometry(), avant);
}

TEST_F(FenetreTest, EntreeAuDepartNeFaitRien) {
  QTest::keyClick(&form, Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form, Qt::Key_Enter);
  EXPECT_FALSE(fin.termine());
  EXPECT_TRUE(form.ok->isVisible());
  EXPECT_FALSE(form.Comm->isVisible());
}

TEST_F(FenetreTest, FenetreSAgranditAvecSonTexte) {
  const QString courte = QStringLiteral("$GPWPL,4530.123,N,00130.456,E,PDC0010C*59");
  const QString longue = QStringLiteral("$GPWPL,4530.123,N,00130.456,E,WWWWWW*2E");
  form.definirCaption(form.fenetre, courte + "\r\n" + longue + "\r\n" + courte + "\r\n");
  // Every line is whole on screen: the label is at least as wide as its widest line and as
  // high as its lines.
  const QFontMetrics mesures(form.fenetre->font());
  EXPECT_GE(form.fenetre->width(), mesures.horizontalAdvance(longue));
  EXPECT_GE(form.fenetre->height(), 3 * mesures.lineSpacing());
  EXPECT_EQ(form.fenetre->pos(), QPoint(form.px(360), form.px(1800)));
  form.definirCaption(form.fenetre, QString());
  EXPECT_LT(form.fenetre->height(), mesures.lineSpacing() * 2);
}

}  // namespace
}  // namespace zor::app

namespace zor::app {
namespace {

// The window at the type step.
using EtapeTypeTest = test::FenetreEtapeType;

TEST_F(EtapeTypeTest, OrdreDeTabulationSuitLOrdreDesControlesEtCommenceParProfil) {
  EXPECT_EQ(QApplication::focusWidget(), form.profil);

  const QStringList attendu{"profil", "ouvrir", "sortie", "Comm", "lire", "nom"};
  QStringList vus;
  QWidget* w = form.profil;
  do {
    if (w->parentWidget() == form.client() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) &&
        !vus.contains(w->objectName()))
      vus << w->objectName();
    w = w->nextInFocusChain();
  } while (w != form.profil);
  // `waypoint` shares the group of `profil`: Tab skips the option that is not selected.
  vus.removeAll(QStringLiteral("waypoint"));
  EXPECT_EQ(vus, attendu);
}

// The two lists are compared as exact text elsewhere: what the user types must stay exactly
// as typed, even when the focus leaves the list (no completion, no change of case).
TEST_F(EtapeTypeTest, ListesEditablesGardentLeTexteTapeTelQuel) {
  struct Cas {
    QComboBox* liste;
    QString tape;
  };
  const Cas cas[] = {{form.Comm, "comm2"}, {form.Comm, "c"},          {form.Comm, "COM2"},
                     {form.nom, "format zor"}, {form.nom, "Autoroute Express"}, {form.nom, "g7towin"}};
  for (const auto& c : cas) {
    c.liste->setFocus();
    c.liste->lineEdit()->selectAll();
    QTest::keyClicks(c.liste->lineEdit(), c.tape);
    EXPECT_EQ(c.liste->currentText(), c.tape) << "pendant la frappe";
    form.lire->setFocus();  // the focus leaves the list, as when a button is clicked
    QApplication::processEvents();
    EXPECT_EQ(c.liste->currentText(), c.tape) << "après la sortie de la liste";
  }
  // Picking an item from the list still works.
  form.Comm->setCurrentIndex(2);
  EXPECT_EQ(form.Comm->currentText(), QStringLiteral("Comm3"));
}

}  // namespace
}  // namespace zor::app
