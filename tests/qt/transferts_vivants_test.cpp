// The window during a transfer: every control painted as it changes, clicks and keys dropped, a
// close request held until the end, no end-of-file event before the download's handler returns,
// the focus where a stray key does nothing after it; and the device behind the port list, by its
// name or typed in.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "platform/interruption.h"
#include "qt/form1_qt.h"
#include "qt/services_qt.h"
#include "tests/serial/configuration_ports.h"
#include "tests/serial/liaison_scriptee.h"
#include "tests/serial/outils_serie.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::qt {
namespace {

// Counts the paint events of a widget.
class CompteurPeinture : public QObject {
 public:
  explicit CompteurPeinture(QWidget* w) { w->installEventFilter(this); }
  int fois = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++fois;
    return false;
  }
};

const std::vector<serie::PortSerie> kPresents = {{"/dev/ttyUSB0", "CP2102"}, {"/dev/ttyUSB1", "FT232R"}};

class Vivante : public ::testing::Test {
 protected:
  app::Services services() {
    app::Services s = test::services(messages, fin, horloge);
    s.liaisonMSComm1 = test::liaisonScriptee(appareil);
    s.liaisonMSComm2 = test::liaisonScriptee(appareil);
    s.portsPresents = [] { return kPresents; };
    return servicesQt(s, pointeur);
  }
  void SetUp() override {
    pointeur = &form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.widget(modele.ok), Qt::LeftButton);
    QTest::mouseClick(form.widget(modele.ok1), Qt::LeftButton);
    test::ecrireOctets(lecteur.chemin() / "$_t_e_m_p", "$GPWPL,1\r\n\r\n$GPWPL,2\r\n\r\n$GPWPL,3\r\n");
    modele.ecrire.Visible(true);
  }
  QComboBox* Comm() { return qobject_cast<QComboBox*>(form.widget(modele.Comm)); }

  test::ConfigurationPorts configuration;
  test::LecteurCTemporaire lecteur;
  test::ScriptMessages messages;
  test::ObservateurFin fin;
  test::HorlogeFactice horloge;
  test::ScenarioLiaison appareil{&horloge};
  QPointer<Form1Qt> pointeur;
  app::Form1 modele{services()};
  Form1Qt form{modele};
};

TEST_F(Vivante, ChaqueControleEstPeintAvantLaPremierePhrase) {
  // Shown at the start of the upload, painted before the first sentence leaves.
  CompteurPeinture nombre1(form.widget(modele.nombre1)), fenetre(form.widget(modele.fenetre));
  std::vector<std::pair<int, int>> vus;
  appareil.surEcriture = [&] { vus.emplace_back(nombre1.fois, fenetre.fois); };
  modele.ecrire_Click();
  ASSERT_EQ(vus.size(), 3u);
  EXPECT_GT(vus[0].first, 0);
  // The sentence shown by the previous one has been painted when the next one leaves.
  EXPECT_LT(vus[1].second, vus[2].second);
}

TEST_F(Vivante, FermetureDemandeePendantLEnvoiAttendSaFin) {
  appareil.surEcriture = [&] {
    if (appareil.ecrit.size() < 12) {
      EXPECT_FALSE(form.close());
    }
    EXPECT_TRUE(form.isVisible());
  };
  modele.ecrire_Click();
  EXPECT_EQ(appareil.ecrit, "$GPWPL,1\r\n$GPWPL,2\r\n$GPWPL,3\r\n");
  EXPECT_TRUE(form.isVisible());
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(fin.termine());
}

// What the user does while sentences leave waits in the queue as the window system delivers it:
// none of it reaches a widget, then or after the upload (the list's text, the chosen option and
// the program stay as they were); the close request alone is taken, once the upload is over.
TEST_F(Vivante, SaisiePendantLEnvoiPerdueSaufLaFermeture) {
  auto poster = [](QWidget* w, QEvent::Type type, Qt::Key touche, const QString& texte = {}) {
    QCoreApplication::postEvent(w, new QKeyEvent(type, touche, Qt::NoModifier, texte));
  };
  appareil.surEcriture = [&] {
    if (appareil.ecrit.size() > 10) return;
    QLineEdit* edition = Comm()->lineEdit();
    for (const QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
      poster(edition, t, Qt::Key_X, QStringLiteral("x"));
      poster(form.widget(modele.sortie), t, Qt::Key_Escape);
    }
    QWidget* waypoint = form.widget(modele.waypoint);
    const QPointF milieu = QRectF(waypoint->rect()).center();
    for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
      QCoreApplication::postEvent(waypoint, new QMouseEvent(t, milieu, waypoint->mapToGlobal(milieu), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(&form, new QCloseEvent);
  };
  modele.ecrire_Click();
  QTest::qWait(50);
  EXPECT_EQ(appareil.ecrit, "$GPWPL,1\r\n$GPWPL,2\r\n$GPWPL,3\r\n");
  EXPECT_EQ(modele.Comm.Text(), "Comm1");
  EXPECT_EQ(Comm()->currentText(), QStringLiteral("Comm1"));
  EXPECT_TRUE(modele.profil.Value());
  EXPECT_FALSE(fin.termine());
  EXPECT_FALSE(form.isVisible()) << "la fermeture demandée pendant l'envoi est faite après";
}

// After an upload its button hides: the focus goes to the chosen option, where Enter and Space
// do nothing (not to « Quitter », which Space would click).
TEST_F(Vivante, ApresLEnvoiLeFocusEstSurLOptionChoisie) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::mouseClick(form.widget(modele.ecrire), Qt::LeftButton);
  ASSERT_FALSE(modele.ecrire.Visible());
  EXPECT_EQ(QApplication::focusWidget(), form.widget(modele.profil));
  const std::size_t boites = messages.vus().size();
  for (const Qt::Key touche : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
    QTest::keyClick(QApplication::focusWidget(), touche);
  EXPECT_FALSE(fin.termine());
  EXPECT_EQ(messages.vus().size(), boites);
  EXPECT_TRUE(modele.profil.Value());
}

TEST_F(Vivante, CaractereDeFinTraiteSeulementApresLeTelechargement) {
  auto lecture = [](char tete, char dernier) {
    std::string s(62, tete);
    return s + '\r' + dernier;
  };
  // The receiver sends its end-of-file character in the middle of the list.
  for (const std::string& piece : {std::string("\r"), lecture('A', '\n'), lecture('B', '\n'), lecture('C', '\x1a'),
                                   lecture('D', '\n'), lecture('B', '\n')})
    appareil.arrivees.ajouter(piece);
  int pendant = 0;
  appareil.surLecture = [&] { pendant += fin.fois(); };
  modele.lire_Click();
  EXPECT_FALSE(appareil.arrivees.restantes());
  EXPECT_EQ(pendant, 0);
  EXPECT_FALSE(fin.termine());
  QCoreApplication::processEvents();
  EXPECT_TRUE(fin.termine());
}

TEST_F(Vivante, TexteDeLaListeDesPorts) {
  struct Cas {
    const char* texte;
    const char* ouvert;
  };
  // Each upload is made in turn on the same window: a text that names no port keeps the last one.
  const Cas cas[] = {
      {"Comm2", "/dev/ttyUSB1"},
      {"comm1", "/dev/ttyUSB1"},
      {"/dev/ttyACM3", "/dev/ttyACM3"},
      {"ttyUSB0", "/dev/ttyACM3"},
      {"Comm1", "/dev/ttyUSB0"},
  };
  for (const Cas& c : cas) {
    modele.Comm.Text(c.texte);
    appareil.ouverts.clear();
    modele.ecrire_Click();
    ASSERT_EQ(appareil.ouverts.size(), 1u) << c.texte;
    EXPECT_EQ(appareil.ouverts.front().peripherique, c.ouvert) << c.texte;
  }
}

TEST_F(Vivante, PortQuiNeSOuvrePasListeLesPortsEtNommeZorConf) {
  configuration.fichier("[ports]\nComm3=/dev/ttyUSB7\n");
  appareil.refus = [](const serie::PortDesigne& p) -> std::optional<Erreur> {
    if (p.peripherique == "/dev/ttyUSB7") return serie::erreurDuPort(p, Erreur::Genre::PortIntrouvable, ENOENT);
    return std::nullopt;
  };
  modele.Comm.Text("Comm3");
  modele.ecrire_Click();
  ASSERT_FALSE(messages.vus().empty());
  const std::string texte = messages.vus().back().texte;
  for (const std::string& attendu : {std::string("/dev/ttyUSB7"), configuration.chemin().string(),
                                     std::string("/dev/ttyUSB0 — CP2102"), std::string("/dev/ttyUSB1 — FT232R"),
                                     std::string("Comm3=")})
    EXPECT_NE(texte.find(attendu), std::string::npos) << attendu << "\n" << texte;
}

TEST_F(Vivante, InfobulleDeChaquePort) {
  configuration.fichier("[ports]\nComm3=/dev/gps\n");
  Comm()->showPopup();
  EXPECT_EQ(Comm()->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0 — CP2102, port détecté"));
  EXPECT_EQ(Comm()->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB1 — FT232R, port détecté"));
  EXPECT_TRUE(Comm()->itemData(2, Qt::ToolTipRole).toString().startsWith(QStringLiteral("/dev/gps")));
  EXPECT_TRUE(Comm()->itemData(3, Qt::ToolTipRole).toString().startsWith(QStringLiteral("/dev/ttyS3")));
  Comm()->hidePopup();
}

std::string enregistrement(char tete) { return std::string(62, tete) + "\r\n"; }

// Through the real window: a download that does not end as it should leaves "c:\zor.txt" as it
// was, and the message names the file that keeps what came, and what it holds.
TEST_F(Vivante, LectureQuiEchoueLaisseLeFichier) {
  const auto zorTxt = lecteur.chemin() / "zor.txt";
  test::ecrireOctets(zorTxt, "ancien\r\n");
  appareil.arrivees.ajouter("xx\r" + enregistrement('A') + enregistrement('B'));
  QTest::mouseClick(form.widget(modele.lire), Qt::LeftButton);
  ASSERT_EQ(messages.vus().size(), 2u);
  const std::string texte = messages.vus().back().texte;
  EXPECT_EQ(test::lireOctets(zorTxt), "ancien\r\n");
  const std::filesystem::path secours = test::secoursAnnonce(texte);
  EXPECT_NE(texte.find("Ce qui a été reçu après la première fin de ligne (128 octets, 2 lignes) a été gardé dans " +
                       secours.string() + " ; c:\\zor.txt n'a pas été modifié."),
            std::string::npos)
      << texte;
  EXPECT_EQ(test::lireOctets(secours), enregistrement('A') + enregistrement('B'));
  std::filesystem::remove(secours);
  EXPECT_TRUE(form.widget(modele.sortie)->isVisible());
  EXPECT_EQ(appareil.ecrit, "\x1a");
}

// Through the real window, a FIFO planted as c:\$_t_e_m_p holds nothing: "Rechercher Fichier" ends
// at once by its silent failure path, "Ecrire dans GPS" says what stands there, nothing is sent.
TEST_F(Vivante, UnTubeALaPlaceDuFichierDEchangeNeBloquePasLaFenetre) {
  const auto echange = lecteur.chemin() / "$_t_e_m_p";
  std::filesystem::remove(echange);
  ASSERT_EQ(::mkfifo(echange.c_str(), 0600), 0);
  modele.ouverture.FileName = (std::filesystem::path(std::getenv("ZOR_SOURCE_DIR")) / "tests/convert/donnees/g7towin.txt").string();
  modele.nom.Text("G7towin");
  modele.ecrire.Visible(false);
  QTest::mouseClick(form.widget(modele.ouvrir), Qt::LeftButton);
  EXPECT_TRUE(messages.vus().empty());
  EXPECT_FALSE(form.widget(modele.ecrire)->isVisible());
  modele.ecrire.Visible(true);
  QTest::mouseClick(form.widget(modele.ecrire), Qt::LeftButton);
  ASSERT_EQ(messages.vus().size(), 2u);
  EXPECT_NE(messages.vus().back().texte.find("c:\\$_t_e_m_p (" + echange.string() +
                                             ") : ce n'est pas un fichier ordinaire (c'est un tube)."),
            std::string::npos)
      << messages.vus().back().texte;
  EXPECT_EQ(appareil.ecrit, "");
  EXPECT_TRUE(std::filesystem::is_fifo(echange));
  EXPECT_TRUE(form.widget(modele.sortie)->isVisible());
}

// The real window on a real device, killed in the middle of a download by SIGTERM: the
// receiver hears 26, the port is closed (its lock file gone), "c:\zor.txt" is as it was, what
// came is kept; then the program ends, no box shown.
TEST(FenetreTuee, PendantUneLectureFaitCommeZorCli) {
  test::LecteurCTemporaire lecteur;
  test::ScriptMessages messages;
  test::ObservateurFin fin;
  test::HorlogeFactice horloge;
  test::PairePty pty;
  test::PortEnvironnement comm2(2, pty.esclave());
  const std::filesystem::path verrou = "/var/lock/LCK.." + pty.esclave().substr(5, 3) + "_" + pty.esclave().substr(9);
  std::string flux = "\r";
  for (char t = 'A'; t <= 'T'; ++t) flux += enregistrement(t);
  pty.ecrire(flux);
  test::ecrireOctets(lecteur.chemin() / "zor.txt", "ancien");
  std::vector<std::string> finsSurSignal;
  int peintures = 0;
  bool verrouPendant = false;
  QPointer<Form1Qt> pointeur;
  app::Services s = test::services(messages, fin, horloge);
  s.liaisonMSComm2 = serie::ouvertureReelle();
  s.portsPresents = [] { return std::vector<serie::PortSerie>{}; };
  s.messageSurSignal = [&](const std::string& texte) { finsSurSignal.push_back(texte); };
  s.peindre = [&] {
    if (++peintures == 8) {
      verrouPendant = std::filesystem::exists(verrou);
      std::raise(SIGTERM);
    }
    if (pointeur) pointeur->peindre();
  };
  platform::intercepterInterruptions();
  app::Form1 modele(servicesQt(s, pointeur));
  Form1Qt form(modele);
  pointeur = &form;
  form.show();
  modele.ok_Click();
  modele.ok1_Click();
  modele.Comm.Text("Comm2");
  QTest::mouseClick(form.widget(modele.lire), Qt::LeftButton);

  ASSERT_EQ(finsSurSignal.size(), 1u);
  EXPECT_EQ(messages.vus().size(), 1u) << "the confirmation only";
  EXPECT_EQ(pty.lire(1), "\x1a");
  // The lock file the serial layer made for the port is gone.
  if (verrouPendant) {
    EXPECT_FALSE(std::filesystem::exists(verrou));
  }
  EXPECT_FALSE(modele.MSComm2.PortOpen());
  EXPECT_EQ(test::lireOctets(lecteur.chemin() / "zor.txt"), "ancien");
  const std::filesystem::path secours = test::secoursAnnonce(finsSurSignal[0]);
  const std::string garde = test::lireOctets(secours);
  EXPECT_NE(finsSurSignal[0].find("(" + std::to_string(garde.size()) + " octets, "), std::string::npos) << finsSurSignal[0];
  EXPECT_NE(finsSurSignal[0].find(" ; c:\\zor.txt n'a pas été modifié."), std::string::npos) << finsSurSignal[0];
  EXPECT_EQ(garde, flux.substr(1, garde.size()));
  EXPECT_GE(garde.size(), 6u * 64);
  std::filesystem::remove(secours);

  EXPECT_EQ(fin.fois(), 1);
  EXPECT_EQ(fin.code(), 128 + SIGTERM);
  QTest::qWait(300);
  EXPECT_EQ(finsSurSignal.size(), 1u) << "the program has ended: its loop runs no handler again";
  EXPECT_EQ(fin.fois(), 1);
  platform::oublierInterruption();
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
}

}  // namespace
}  // namespace zor::qt
