// "Rechercher Fichier" in the real window: the dialog answered by a script, the three endings,
// repeated runs, and the same bytes as zor-cli.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/form1.h"
#include "tests/convert/outils_conversion.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::app {
namespace {

namespace fs = std::filesystem;
using test::donnee;

QString q(const fs::path& p) { return QString::fromStdString(p.string()); }

class ConversionFenetre : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.ok, Qt::LeftButton);
    QTest::mouseClick(form.ok1, Qt::LeftButton);
  }

  // One click on "Rechercher Fichier" with this type text; the dialog answers `fichier`, or
  // Cancel when there is none.
  void convertir(const QString& type, const std::optional<fs::path>& fichier) {
    form.nom->setEditText(type);
    if (fichier)
      dialogue.choisir(q(*fichier));
    else
      dialogue.annuler();
    form.ouvrir_Click();
  }
  std::string echange() const { return test::lireOctets(lecteur.chemin() / "$_t_e_m_p"); }
  bool visible(QWidget* w) const { return w->isVisible(); }

  void verifierVisibles(std::initializer_list<QWidget*> montres, std::initializer_list<QWidget*> caches,
                        const char* etape) {
    for (QWidget* w : montres) EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString() << " " << etape;
    for (QWidget* w : caches) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString() << " " << etape;
  }

  test::LecteurCTemporaire lecteur;
  test::ScriptOuverture dialogue;
  test::ScriptMessages messages;
  test::ObservateurFin fin;
  Form1 form{test::services(dialogue, messages, fin)};
};

TEST_F(ConversionFenetre, AvecEnregistrements) {
  convertir("G7towin", donnee("g7towin.txt"));
  verifierVisibles({form.fenetre, form.nombre, form.quant1, form.ecrire, form.ouvrir, form.result, form.Comm},
                   {form.Typef, form.nom, form.lire, form.nombre1}, "succès");
  EXPECT_EQ(form.quant1->text(), "6");
  EXPECT_EQ(form.result->text(), " ");
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_TRUE(form.fenetre->text().startsWith("$GPWPL,"));
  EXPECT_TRUE(form.fenetre->text().contains("PDC0010C*"));
  EXPECT_TRUE(form.fenetre->text().contains("$GPWPL,4530.123,N,00130.456,E,PDC0020A*"));
  EXPECT_FALSE(form.fenetre->text().contains("\r\n\r\n"));  // the echo has no empty lines
  EXPECT_EQ(echange().substr(0, 7), "$GPWPL,");
  EXPECT_FALSE(fin.termine());

  // fenetre grows with its lines and shows them.
  const QFontMetrics mesures(form.fenetre->font());
  EXPECT_EQ(form.fenetre->height(), 6 * mesures.lineSpacing());
  EXPECT_GE(form.fenetre->width(), mesures.horizontalAdvance("$GPWPL,4530.123,N,00130.456,E,PDC0020A*58") - 4);
  const QImage image = form.fenetre->grab().toImage();
  int encre = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) encre += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(encre, 100);
}

TEST_F(ConversionFenetre, LEchoMontreLeTexteWindows1252) {
  form.waypoint->setChecked(true);
  convertir("G7towin", donnee("g7towin.txt"));
  EXPECT_TRUE(form.fenetre->text().contains(QStringLiteral(",ÉTANG *")));
  EXPECT_NE(echange().find(",\xc9TANG *"), std::string::npos);
  convertir("G7towin", donnee("g7towin.txt"));  // another run of the same type, the type list being hidden
  form.nom->setEditText("Format ZOR");
  convertir("Format ZOR", donnee("zor.txt"));
  EXPECT_TRUE(form.fenetre->text().contains(QStringLiteral("$GPWPL,4712.500,N,00205.250,W,ÉTANG *00\r\n")));
}

TEST_F(ConversionFenetre, SansEnregistrement) {
  test::ecrireOctets(lecteur.chemin() / "$_t_e_m_p", "run précédent\r\n");
  convertir("Autoroute Express 2001", donnee("zor.txt"));
  verifierVisibles({form.Typef, form.nom, form.ouvrir, form.nombre, form.result},
                   {form.ecrire, form.quant1, form.fenetre, form.lire}, "sans enregistrement");
  ASSERT_EQ(messages.vus().size(), 1u);
  const platform::DemandeMessage& m = messages.vus().front();
  EXPECT_EQ(m.texte, QStringLiteral("Le fichier d'entrée n'est pas valable.Etes-vous sûr d avoir choisi le bon type ?"));
  EXPECT_EQ(m.titre, QStringLiteral("Une petite question..."));
  EXPECT_EQ(m.icone, platform::Icone::Question);
  EXPECT_EQ(m.boutons, platform::Boutons::Ok);
  EXPECT_EQ(form.quant1->text(), "0");
  EXPECT_EQ(echange(), "");
}

TEST_F(ConversionFenetre, TypeQuiNeNommeAucunLecteur) {
  convertir("gpx", donnee("zor.txt"));
  EXPECT_EQ(dialogue.vus().size(), 1u);
  EXPECT_EQ(messages.vus().size(), 1u);
  EXPECT_TRUE(fs::exists(lecteur.chemin() / "$_t_e_m_p"));
  EXPECT_EQ(echange(), "");
}

TEST_F(ConversionFenetre, AnnulerALaPremiereUtilisation) {
  convertir("Format ZOR", std::nullopt);
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_TRUE(fs::exists(lecteur.chemin() / "$_t_e_m_p"));
  EXPECT_EQ(echange(), "");
  // The failure path: the window as the first steps left it, no count.
  verifierVisibles({form.fenetre, form.ouvrir, form.quant1}, {form.Typef, form.nom, form.lire, form.ecrire, form.nombre},
                   "échec");
  EXPECT_EQ(form.quant1->text(), "");
  EXPECT_EQ(form.result->text(), " ");
  EXPECT_EQ(form.fenetre->text(), "");
}

TEST_F(ConversionFenetre, AnnulerApresUnSuccesReconvertitLeMemeFichier) {
  convertir("Format ZOR", donnee("zor.txt"));
  const std::string premier = echange();
  const QString echoPremier = form.fenetre->text();
  EXPECT_EQ(form.quant1->text(), "4");
  convertir("Format ZOR", std::nullopt);
  EXPECT_EQ(form.quant1->text(), "4");
  EXPECT_TRUE(form.ecrire->isVisible());
  EXPECT_EQ(echange(), premier);
  EXPECT_EQ(form.fenetre->text(), echoPremier + echoPremier);
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(ConversionFenetre, DeuxRunsDeSuite) {
  convertir("G7towin", donnee("g7towin.txt"));
  const QString echoPremier = form.fenetre->text();
  convertir("G7towin", donnee("g7towin_lf.txt"));
  EXPECT_EQ(form.quant1->text(), "1");
  EXPECT_EQ(echange(), "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n");
  EXPECT_EQ(form.fenetre->text(), echoPremier + "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n");
}

TEST_F(ConversionFenetre, UnEchecGardeLEchoEtFermeLesFichiers) {
  convertir("G7towin", donnee("g7towin.txt"));
  const QString echoPremier = form.fenetre->text();
  const fs::path dossier = lecteur.chemin() / "dossier";
  fs::create_directory(dossier);
  convertir("G7towin", dossier);
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_EQ(form.fenetre->text(), echoPremier);
  EXPECT_EQ(form.quant1->text(), "6");  // as before
  EXPECT_EQ(echange(), "");
  // Nothing left open: the next run writes the interchange file again.
  convertir("G7towin", donnee("g7towin_lf.txt"));
  EXPECT_EQ(form.quant1->text(), "1");
  EXPECT_EQ(echange(), "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n");

  // An interchange file that cannot be created takes the failure path too.
  form.ecriture.FileName = "c:\\nulle\\part\\$_t_e_m_p";
  convertir("G7towin", donnee("g7towin.txt"));
  EXPECT_EQ(form.quant1->text(), "1");
  EXPECT_TRUE(messages.vus().empty());
}

TEST_F(ConversionFenetre, LeFiltreSeRestreintAAutorouteExpress) {
  const QStringList deuxTypes{"g7towin ou ZOR (*.txt)", "Autoroute Express (*.axe)"};
  const QStringList axe{"Autoroute Express (*.axe)"};
  convertir("G7towin", donnee("vide.txt"));
  convertir("Autoroute Express 2001", donnee("exemple.axe"));
  EXPECT_EQ(form.ouverture.Filter, "Autoroute Express (*.axe)|*.axe");
  EXPECT_EQ(form.quant1->text(), "4");
  convertir("G7towin", donnee("g7towin.txt"));
  ASSERT_EQ(dialogue.vus().size(), 3u);
  EXPECT_EQ(dialogue.vus()[0].filtres, deuxTypes);
  EXPECT_EQ(dialogue.vus()[1].filtres, axe);
  EXPECT_EQ(dialogue.vus()[2].filtres, axe);
  EXPECT_EQ(dialogue.vus()[0].titre, "Fichier en entrée");
}

// For every sample input, type and mode: the window's interchange file is byte for byte what
// zor-cli writes, and its ending matches zor-cli's exit code.
TEST_F(ConversionFenetre, MemesOctetsQueZorCli) {
  const char* fichiers[] = {"g7towin.txt", "g7towin_lf.txt", "zor.txt",  "exemple.axe", "compte255.axe",
                            "sans_marqueur.axe", "vide.txt", "binaire.bin"};
  const std::pair<QString, QString> types[] = {
      {"Format ZOR", "zor"}, {"G7towin", "g7towin"}, {"Autoroute Express 2001", "axe"}};
  int succes = 0;
  for (const char* nom : fichiers) {
    for (const auto& [texte, option] : types) {
      for (bool profilCoche : {true, false}) {
        (profilCoche ? form.profil : form.waypoint)->setChecked(true);
        const std::size_t messagesAvant = messages.vus().size();
        convertir(texte, donnee(nom));
        const bool sansEnregistrement = messages.vus().size() > messagesAvant;
        const test::ResultatCli cli = test::lancerZorCli(
            {"convert", "--type", option, "--mode", profilCoche ? "profile" : "waypoint", q(donnee(nom))});
        const std::string quoi = std::string(nom) + " / " + option.toStdString() + (profilCoche ? " / profil" : " / waypoint");
        EXPECT_EQ(cli.sortie, echange()) << quoi;
        EXPECT_EQ(cli.code, sansEnregistrement ? 1 : 0) << quoi;
        if (!sansEnregistrement) {
          EXPECT_EQ(cli.erreurs, "Nombre d'enregistrements lus : " + form.quant1->text().toStdString() + "\n") << quoi;
          ++succes;
        }
      }
    }
  }
  EXPECT_GE(succes, 10);
}

}  // namespace
}  // namespace zor::app
