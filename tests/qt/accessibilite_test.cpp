// What a screen reader is told of the Qt window, read from the toolkit's accessibility tree (what
// its AT-SPI bridge hands to Orca): each list named by its label with its text as its value, the
// two « Ok » told apart, the counts named by their labels, the echo label read as the text it
// shows. The same walk over the desktop's AT-SPI bus is tests/qt/atspi.sh.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <functional>
#include <map>

#include "qt/cp1252.h"
#include "qt/form1_qt.h"
#include "qt/services_qt.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::qt {
namespace {

struct Lu {
  QAccessible::Role role;
  QString nom, valeur, description;
};

// Every node of the window's tree that shows, by the object name of its widget.
void parcourir(QAccessibleInterface* i, std::map<QString, Lu>& vus) {
  if (i == nullptr || i->state().invisible) return;
  if (QObject* o = i->object(); o != nullptr && !o->objectName().isEmpty())
    vus[o->objectName()] = {i->role(), i->text(QAccessible::Name), i->text(QAccessible::Value),
                            i->text(QAccessible::Description)};
  for (int n = 0; n < i->childCount(); ++n) parcourir(i->child(n), vus);
}

class Accessibilite : public ::testing::Test {
 protected:
  void SetUp() override {
    fenetre = &form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  std::map<QString, Lu> arbre() {
    std::map<QString, Lu> vus;
    parcourir(QAccessible::queryAccessibleInterface(&form), vus);
    return vus;
  }

  test::LecteurCTemporaire lecteur;
  test::ScriptOuverture dialogue;
  test::ScriptMessages messages;
  test::ObservateurFin fin;
  QPointer<Form1Qt> fenetre;
  app::Form1 modele{servicesQt(test::services(dialogue, messages, fin), fenetre)};
  Form1Qt form{modele};
};

TEST_F(Accessibilite, ChaqueControleNommeParCeQuIlEstEtLesDeuxOkDistingues) {
  struct Attendu {
    const char* controle;
    QAccessible::Role role;
    const char* nom;
    const char* valeur;  // nullptr: not looked at
    const char* description;
  };
  const std::string source = std::getenv("ZOR_SOURCE_DIR");
  const std::vector<std::pair<std::function<void()>, std::vector<Attendu>>> etapes = {
      {[] {},
       {{"ok", QAccessible::Button, "Ok", nullptr, "Valider le port"},
        {"sortie", QAccessible::Button, "Quitter", nullptr, "Pour sortir du programme"},
        {"quant1", QAccessible::StaticText, "Nombre d'enregistrements lus :", nullptr, ""}}},
      {[this] { QTest::mouseClick(form.widget(modele.ok), Qt::LeftButton); },
       {{"ok1", QAccessible::Button, "Ok", nullptr, "Valider le format"},
        {"Comm", QAccessible::ComboBox, "Port de comm:", "Comm1", "Choisir le port de communication"}}},
      {[this] { QTest::mouseClick(form.widget(modele.ok1), Qt::LeftButton); },
       {{"nom", QAccessible::ComboBox, "Format de fichier :", "Format ZOR", ""},
        {"Typef", QAccessible::StaticText, "Format de fichier :", nullptr, "Choisissez le type de fichier"}}},
      {[&] {
         dialogue.choisir(source + "/tests/convert/donnees/zor.txt");
         QTest::mouseClick(form.widget(modele.ouvrir), Qt::LeftButton);
       },
       {{"quant1", QAccessible::StaticText, "Nombre d'enregistrements lus : 4", nullptr, ""},
        {"fenetre", QAccessible::StaticText, nullptr, nullptr,
         "enregidtrements générés allant être écrits dans le GPS"}}},
      {[this] { modele.prtd.Caption("port lecture"); },
       {{"Comm", QAccessible::ComboBox, "port lecture", "Comm1", "Choisir le port de communication"}}},
  };
  for (const auto& [faire, attendus] : etapes) {
    faire();
    const std::map<QString, Lu> vus = arbre();
    for (const Attendu& a : attendus) {
      const auto it = vus.find(QString::fromLatin1(a.controle));
      ASSERT_NE(it, vus.end()) << a.controle << " manque à l'arbre";
      const Lu& lu = it->second;
      EXPECT_EQ(lu.role, a.role) << a.controle;
      if (a.nom) {
        EXPECT_EQ(lu.nom.toStdString(), a.nom) << a.controle;
      }
      if (a.valeur) {
        EXPECT_EQ(lu.valeur.toStdString(), a.valeur) << a.controle;
      }
      EXPECT_EQ(lu.description.toStdString(), a.description) << a.controle;
    }
  }
  // The echo is read as the sentences it shows, one a line.
  const QString echo = arbre().at(QStringLiteral("fenetre")).nom;
  EXPECT_EQ(echo.split(QLatin1Char('\n')).size(), 4) << echo.toStdString();
  EXPECT_TRUE(echo.startsWith(QStringLiteral("$GPWPL,"))) << echo.toStdString();
  EXPECT_FALSE(echo.contains(QLatin1Char('\r')));
  // The edit field where the focus is read carries its list's name.
  QAccessibleInterface* edition = QAccessible::queryAccessibleInterface(form.widget(modele.Comm))->child(0);
  ASSERT_NE(edition, nullptr);
  EXPECT_EQ(edition->text(QAccessible::Name).toStdString(), "port lecture");
}

// Millions of sentences may be in the echo: only what shows inside the window is read.
TEST_F(Accessibilite, LEchoNeLitQueCeQuiSeVoit) {
  std::string octets;
  for (int i = 0; i < 5000; ++i) octets += "$GPWPL,ligne " + std::to_string(i) + "\r\n";
  modele.fenetre.definirOctets(octets);
  modele.fenetre.Visible(true);
  QWidget* echo = form.widget(modele.fenetre);
  const QStringList lignes = QAccessible::queryAccessibleInterface(echo)->text(QAccessible::Name).split(QLatin1Char('\n'));
  const int place = form.client()->height() - echo->y();
  EXPECT_GE(lignes.size() * echo->fontMetrics().lineSpacing(), place);
  EXPECT_LT((lignes.size() - 1) * echo->fontMetrics().lineSpacing(), place);
  EXPECT_EQ(lignes.front(), QStringLiteral("$GPWPL,ligne 0"));
  // Bytes are read as the Windows-1252 characters they are.
  modele.fenetre.definirOctets("\xC9TANG\r\n");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(echo)->text(QAccessible::Name), QStringLiteral("ÉTANG"));
}

}  // namespace
}  // namespace zor::qt
