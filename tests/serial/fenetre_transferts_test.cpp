// The window's transfers end to end, on its model: "&Ecrire dans GPS" and "&Lire du GPS" on a
// real pseudo-terminal with the fake clock, the end-of-file event, and every failure ending in
// its message with nothing lost.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "app/form1.h"
#include "serial/mscomm.h"
#include "tests/serial/liaison_scriptee.h"
#include "tests/serial/outils_serie.h"
#include "tests/support/seams.h"
#include "tests/support/services.h"

namespace zor::app {
namespace {

namespace fs = std::filesystem;

const std::string kConfirmationEnvoi =
    "Entrée de données, mettez le GPS sur NMEA et verifiez bien le port de communication";
const std::string kConfirmationLecture =
    "Entrée de données, mettez le GPS sur Waypoints et verifiez bien le port de communication";

bool contient(const std::string& texte, const std::string& partie) { return texte.find(partie) != std::string::npos; }
bool commencePar(const std::string& texte, const std::string& debut) { return texte.rfind(debut, 0) == 0; }

std::string lecture(const std::string& tete, const std::string& fin = "\r\n") {
  std::string s = tete;
  s.resize(62, '.');
  return s + fin;
}

void verifierVisibles(std::initializer_list<const Controle*> montres, std::initializer_list<const Controle*> caches,
                      const char* etape) {
  for (const Controle* c : montres) EXPECT_TRUE(c->Visible()) << c->nom() << " " << etape;
  for (const Controle* c : caches) EXPECT_FALSE(c->Visible()) << c->nom() << " " << etape;
}

// What the front end's event loop would run once the handler returns.
struct Boucle {
  std::vector<std::function<void()>> enAttente;
  void poser(Services& s) {
    s.plusTard = [this](std::function<void()> f) { enAttente.push_back(std::move(f)); };
  }
  void tourner() {
    auto taches = std::move(enAttente);
    enAttente.clear();
    for (auto& t : taches) t();
  }
};

Services avecPortsReels(Services s, Boucle& boucle) {
  s.liaisonMSComm1 = serie::ouvertureReelle();
  s.liaisonMSComm2 = serie::ouvertureReelle();
  s.portsPresents = [] { return std::vector<serie::PortSerie>{}; };
  boucle.poser(s);
  return s;
}

class Transferts : public ::testing::Test {
 protected:
  void SetUp() override {
    form.ok_Click();
    form.ok1_Click();
  }
  fs::path echange() const { return lecteur.chemin() / "$_t_e_m_p"; }
  fs::path zorTxt() const { return lecteur.chemin() / "zor.txt"; }
  // As a conversion with records leaves the window.
  void apresConversion(std::string_view contenu) {
    test::ecrireOctets(echange(), contenu);
    form.ecrire.Visible(true);
    form.Typef.Visible(false);
    form.nom.Visible(false);
    form.lire.Visible(false);
  }
  const DemandeMessage& dernierMessage() const { return messages.vus().back(); }

  test::LecteurCTemporaire lecteur;
  test::ScriptMessages messages;
  test::ScriptOuverture dialogue;
  test::ObservateurFin fin;
  test::HorlogeFactice horloge;
  test::PairePty pty;
  test::PortEnvironnement comm2{2, pty.esclave()};
  Boucle boucle;
  Form1 form{avecPortsReels(test::services(messages, dialogue, fin, horloge), boucle)};
};

TEST_F(Transferts, FichierConvertiEnvoyeAuGps) {
  const char* source = std::getenv("ZOR_SOURCE_DIR");
  if (source == nullptr) source = ZOR_DOSSIER_SOURCE;
  form.nom.Text("G7towin");
  dialogue.choisir((fs::path(source) / "tests/convert/donnees/g7towin.txt").string());
  form.ouvrir_Click();
  ASSERT_TRUE(form.ecrire.Visible());
  const std::string contenu = test::lireOctets(echange());
  form.Comm.Text("Comm2");

  form.ecrire_Click();

  ASSERT_EQ(messages.vus().size(), 1u);
  EXPECT_EQ(messages.vus()[0].texte, kConfirmationEnvoi);
  EXPECT_EQ(messages.vus()[0].titre, std::string("ZOR"));
  EXPECT_EQ(messages.vus()[0].boutons, Boutons::OkCancel);
  EXPECT_EQ(messages.vus()[0].icone, Icone::Aucune);
  // Every generated sentence, each with CR LF, none of the empty lines between them.
  std::string attendu;
  int phrases = 0;
  for (std::size_t debut = 0; debut < contenu.size();) {
    const auto fin = contenu.find("\r\n", debut);
    const std::string ligne = contenu.substr(debut, fin - debut);
    if (!ligne.empty() && ligne[0] == '$') {
      attendu += ligne + "\r\n";
      ++phrases;
    }
    debut = fin + 2;
  }
  EXPECT_EQ(phrases, 6);
  EXPECT_EQ(pty.lire(attendu.size()), attendu);
  EXPECT_EQ(horloge.nombrePauses(), 6);
  EXPECT_EQ(horloge.totalDormi(), std::chrono::milliseconds(3600));
  EXPECT_EQ(form.result.Caption(), "6");
  EXPECT_EQ(form.fenetre.octets(), "") << "the last line read was the empty one";
  EXPECT_EQ(form.MSComm1.CommPort(), 2);
  EXPECT_FALSE(form.MSComm1.PortOpen());
  verifierVisibles({&form.sortie, &form.Typef, &form.nom, &form.ouvrir, &form.lire, &form.fenetre, &form.result, &form.nombre1}, {&form.ecrire}, "après l'envoi");
  EXPECT_EQ(test::lireOctets(echange()), contenu) << "the interchange file is only read";
  EXPECT_FALSE(fin.termine());
}

TEST_F(Transferts, FichierCopieDUnFichierZorLaisseLaDernierePhrase) {
  apresConversion("$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n $GPWPL,x*00\r\n$GPWPL,4530.123,N,00130.456,E,PDC0020A*58\r\n");
  form.Comm.Text("Comm2");
  form.ecrire_Click();
  EXPECT_EQ(pty.lire(86), "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n$GPWPL,4530.123,N,00130.456,E,PDC0020A*58\r\n");
  EXPECT_EQ(form.fenetre.octets(), "$GPWPL,4530.123,N,00130.456,E,PDC0020A*58\r\n");
  EXPECT_EQ(form.result.Caption(), "2");
}

TEST_F(Transferts, UnTexteDePortInconnuGardeLePortDuControle) {
  test::PortEnvironnement comm1(1, pty.esclave());
  apresConversion("$A*41\r\n");
  form.Comm.Text("comm2");
  form.ecrire_Click();
  EXPECT_EQ(form.MSComm1.CommPort(), 1);
  EXPECT_EQ(pty.lire(7), "$A*41\r\n");
}

TEST_F(Transferts, AnnulerLEnvoiTermineSansRienToucher) {
  apresConversion("$A*41\r\n");
  form.Comm.Text("Comm2");
  messages.repondre(Reponse::Cancel);
  form.ecrire_Click();
  EXPECT_EQ(fin.fois(), 1);
  EXPECT_EQ(pty.lire(1, std::chrono::milliseconds(50)), "");
  EXPECT_TRUE(form.ouvrir.Visible());
  EXPECT_FALSE(form.fenetre.Visible());
}

TEST_F(Transferts, LectureDeCinqEnregistrements) {
  test::ecrireOctets(zorTxt(), "ancien téléchargement");
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3"), r4 = lecture("r4\xe9");
  pty.ecrire("bruit\r" + r1 + r2 + r3 + r4 + lecture("r2", "ZZ"));
  form.Comm.Text("Comm2");

  form.lire_Click();

  ASSERT_EQ(messages.vus().size(), 1u);
  EXPECT_EQ(messages.vus()[0].texte, kConfirmationLecture);
  EXPECT_EQ(messages.vus()[0].titre, std::string(" Verification"));
  EXPECT_EQ(messages.vus()[0].boutons, Boutons::OkCancel);
  EXPECT_EQ(messages.vus()[0].icone, Icone::Information);
  EXPECT_EQ(test::lireOctets(zorTxt()), r2 + r3 + r4 + "\r\n");
  EXPECT_EQ(form.result.Caption(), "3");
  EXPECT_EQ(form.fenetre.octets(), r4.substr(0, 62));
  EXPECT_EQ(pty.lire(1), "\x1a");
  EXPECT_EQ(horloge.nombrePauses(), 4);
  EXPECT_EQ(form.zor.Caption(), std::string(" Reception de waypoints d'un ZOR FX312 4X4"));
  EXPECT_EQ(form.prtd.Caption(), std::string("port lecture"));
  verifierVisibles({&form.sortie, &form.result, &form.fenetre, &form.Label2, &form.lire, &form.Comm}, {&form.Label1, &form.profil, &form.waypoint, &form.ouvrir, &form.Typef, &form.nom}, "après la lecture");
  EXPECT_FALSE(form.MSComm2.PortOpen());
  boucle.tourner();
  EXPECT_FALSE(fin.termine());
}

TEST_F(Transferts, LeCaractere26RecuTermineLeProgrammeApresLaLecture) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3\x1a");
  pty.ecrire("\r" + r1 + r2 + r3 + r2);
  form.Comm.Text("Comm2");
  form.lire_Click();
  EXPECT_FALSE(fin.termine()) << "the event waits for the handler to return";
  EXPECT_EQ(test::lireOctets(zorTxt()), r2 + r3 + "\r\n");
  boucle.tourner();
  EXPECT_EQ(fin.fois(), 1);
  // One 26, the download's own: the port was closed when the event came.
  EXPECT_EQ(pty.lire(2), "\x1a");
}

TEST_F(Transferts, AnnulerLaLectureNeToucheNiAuFichierNiAuPort) {
  test::ecrireOctets(zorTxt(), "ancien");
  messages.repondre(Reponse::Cancel);
  form.lire_Click();
  EXPECT_EQ(fin.fois(), 1);
  EXPECT_EQ(test::lireOctets(zorTxt()), "ancien");
  EXPECT_TRUE(form.profil.Visible());
}

TEST_F(Transferts, EnvoiSansPeripherique) {
  test::PortEnvironnement absent(3, (lecteur.chemin() / "ttyAbsent").string());
  apresConversion("$A*41\r\n");
  form.Comm.Text("Comm3");
  form.ecrire_Click();
  ASSERT_EQ(messages.vus().size(), 2u);
  const auto& m = dernierMessage();
  EXPECT_EQ(m.titre, std::string("ZOR"));
  EXPECT_EQ(m.icone, Icone::Avertissement);
  EXPECT_EQ(m.boutons, Boutons::Ok);
  EXPECT_TRUE(commencePar(m.texte, "Le port de communication Comm3 (" + (lecteur.chemin() / "ttyAbsent").string() +
                                        ") est introuvable : aucun fichier ou dossier de ce nom."))
      << m.texte;
  EXPECT_TRUE(contient(m.texte, std::string("« Ecrire dans GPS »")));
  verifierVisibles({&form.ecrire, &form.ouvrir, &form.sortie}, {}, "après l'échec");
  EXPECT_FALSE(form.MSComm1.PortOpen());
  EXPECT_FALSE(fin.termine());
}

TEST_F(Transferts, EnvoiSansFichierDEchange) {
  apresConversion("");
  fs::remove(echange());
  form.Comm.Text("Comm2");
  form.ecrire_Click();
  EXPECT_TRUE(contient(dernierMessage().texte, "Convertissez d'abord un fichier avec « Rechercher Fichier »"))
      << dernierMessage().texte;
  EXPECT_TRUE(commencePar(dernierMessage().texte, std::string("Impossible de lire le fichier c:\\$_t_e_m_p (")))
      << dernierMessage().texte;
  EXPECT_FALSE(form.MSComm1.PortOpen());
  verifierVisibles({&form.ecrire, &form.ouvrir, &form.sortie}, {}, "après l'échec");
}

TEST_F(Transferts, LectureSurUnPortAbsentRemetLeFichierPrecedent) {
  struct Cas {
    const char* nom;
    std::optional<std::string> avant;
  };
  for (const Cas& c : {Cas{"fichier existant", std::string("ancien\r\n")}, Cas{"pas de fichier", std::nullopt}}) {
    test::ScriptMessages local;
    test::HorlogeFactice h;
    Boucle b;
    Form1 form{avecPortsReels(test::services(local, fin, h), b)};
    form.ok_Click();
    form.ok1_Click();
    if (c.avant) test::ecrireOctets(zorTxt(), *c.avant);
    else fs::remove(zorTxt());
    test::PortEnvironnement absent(4, "/dev/zor-absent");
    form.Comm.Text("Comm4");
    form.lire_Click();
    ASSERT_EQ(local.vus().size(), 2u) << c.nom;
    const auto& m = local.vus().back();
    EXPECT_EQ(m.icone, Icone::Avertissement) << c.nom;
    EXPECT_TRUE(contient(m.texte, std::string("Comm4 (/dev/zor-absent)"))) << m.texte;
    EXPECT_TRUE(contient(m.texte, std::string("Rien n'a été reçu : c:\\zor.txt n'a pas été modifié.")))
        << m.texte;
    EXPECT_EQ(fs::exists(zorTxt()), c.avant.has_value()) << c.nom;
    if (c.avant) {
      EXPECT_EQ(test::lireOctets(zorTxt()), *c.avant) << c.nom;
    }
    EXPECT_TRUE(form.sortie.Visible()) << c.nom;
    EXPECT_TRUE(form.lire.Visible()) << c.nom;
  }
}

TEST_F(Transferts, FichierDeLectureImpossibleACreer) {
  fs::create_directories(zorTxt());
  form.Comm.Text("Comm2");
  form.lire_Click();
  EXPECT_TRUE(commencePar(dernierMessage().texte, std::string("Impossible de créer le fichier c:\\zor.txt (")))
      << dernierMessage().texte;
  EXPECT_EQ(dernierMessage().icone, Icone::Avertissement);
  // Nothing happened yet: the window is as before the click, the receiver heard nothing.
  verifierVisibles({&form.sortie, &form.profil, &form.ouvrir}, {&form.Label2}, "avant tout");
  EXPECT_EQ(pty.lire(1, std::chrono::milliseconds(50)), "");
}

// Whatever stands at the place of c:\$_t_e_m_p or c:\zor.txt that is no regular file of the
// user's (a FIFO, which would hold the window for ever; a link another user planted where others
// may write) is refused at once: the conversion by its silent failure path, a transfer with a
// box. The file the link leads to keeps every byte, and the receiver hears nothing.
TEST_F(Transferts, CeQuiNEstPasUnFichierALaPlaceDesFichiersFixesEstRefuse) {
  const char* source = std::getenv("ZOR_SOURCE_DIR");
  const fs::path secret = lecteur.chemin() / "prive" / "secret.txt";
  fs::create_directories(secret.parent_path());
  const std::string tube = "ce n'est pas un fichier ordinaire (c'est un tube)";
  const std::string lien = "est un lien symbolique que l'utilisateur nobody a mis dans un dossier où d'autres";
  struct Cas {
    const char* nom;
    const char* place;
    bool lienDUnAutre;
    void (Form1::*clic)();
    std::string message;  // empty: the conversion's silent failure path
  };
  const Cas cas[] = {
      {"un tube pour la conversion", "$_t_e_m_p", false, &Form1::ouvrir_Click, ""},
      {"un tube pour l'envoi", "$_t_e_m_p", false, &Form1::ecrire_Click, "Impossible de lire le fichier c:\\$_t_e_m_p ("},
      {"un tube pour la lecture", "zor.txt", false, &Form1::lire_Click, "Impossible d'écrire le fichier c:\\zor.txt ("},
      {"le lien d'un autre pour la conversion", "$_t_e_m_p", true, &Form1::ouvrir_Click, ""},
      {"le lien d'un autre pour l'envoi", "$_t_e_m_p", true, &Form1::ecrire_Click, "Le fichier c:\\$_t_e_m_p ("},
      {"le lien d'un autre pour la lecture", "zor.txt", true, &Form1::lire_Click, "Le fichier c:\\zor.txt ("},
  };
  form.Comm.Text("Comm2");
  form.nom.Text("G7towin");
  for (const Cas& c : cas) {
    if (c.lienDUnAutre && ::geteuid() != 0) continue;  // only root can plant another user's link
    const fs::path place = lecteur.chemin() / c.place;
    test::ecrireOctets(secret, "secret");
    ::chmod(lecteur.chemin().c_str(), c.lienDUnAutre ? 01777 : 0755);
    if (c.lienDUnAutre) {
      fs::create_symlink(secret, place);
      ASSERT_EQ(::lchown(place.c_str(), 65534, static_cast<gid_t>(-1)), 0);
    } else {
      ASSERT_EQ(::mkfifo(place.c_str(), 0600), 0);
    }
    dialogue.choisir((fs::path(source != nullptr ? source : ZOR_DOSSIER_SOURCE) / "tests/convert/donnees/g7towin.txt").string());
    const std::size_t vus = messages.vus().size();
    const auto debut = std::chrono::steady_clock::now();
    (form.*c.clic)();
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(2)) << c.nom;
    if (c.message.empty()) {
      EXPECT_EQ(messages.vus().size(), vus) << c.nom << " : the failure path says nothing";
      EXPECT_FALSE(form.ecrire.Visible()) << c.nom << " : no count, no upload button";
    } else {
      ASSERT_EQ(messages.vus().size(), vus + 2) << c.nom;
      EXPECT_TRUE(commencePar(dernierMessage().texte, c.message)) << dernierMessage().texte;
      EXPECT_TRUE(contient(dernierMessage().texte, c.lienDUnAutre ? lien : tube)) << dernierMessage().texte;
      EXPECT_EQ(dernierMessage().icone, Icone::Avertissement) << c.nom;
    }
    EXPECT_EQ(test::lireOctets(secret), "secret") << c.nom;
    EXPECT_EQ(c.lienDUnAutre ? fs::is_symlink(place) : fs::is_fifo(place), true) << c.nom;
    EXPECT_EQ(pty.lire(1, std::chrono::milliseconds(20)), "") << c.nom;
    EXPECT_FALSE(fin.termine()) << c.nom;
    fs::remove(place);
  }
}

// The same window over scripted devices: faults a pseudo-terminal cannot time exactly.
class TransfertsScriptes : public ::testing::Test {
 protected:
  void SetUp() override {
    form.ok_Click();
    form.ok1_Click();
    form.Comm.Text("Comm2");
  }
  fs::path zorTxt() const { return lecteur.chemin() / "zor.txt"; }

  test::LecteurCTemporaire lecteur;
  test::ScriptMessages messages;
  test::ObservateurFin fin;
  test::HorlogeFactice horloge;
  test::ScenarioLiaison scenario1 = scenario(), scenario2 = scenario();  // MSComm1, MSComm2
  Boucle boucle;
  int signal = 0;                        // what the system asked, as the front end saw it
  std::vector<std::string> finsSurSignal;  // each end of the program after a signal, with its text
  Form1 form{services()};

 private:
  test::ScenarioLiaison scenario() {
    test::ScenarioLiaison s;
    s.horloge = &horloge;
    return s;
  }
  Services services() {
    Services s = test::services(messages, fin, horloge);
    s.liaisonMSComm1 = test::liaisonScriptee(scenario1);
    s.liaisonMSComm2 = test::liaisonScriptee(scenario2);
    s.portsPresents = [] { return std::vector<serie::PortSerie>{}; };
    s.signalRecu = [this] { return signal; };
    s.messageSurSignal = [this](const std::string& texte) { finsSurSignal.push_back(texte); };
    boucle.poser(s);
    return s;
  }
};

// A download that cannot end as it should leaves "c:\zor.txt" byte for byte as it was, and keeps
// everything that came after the first CR in a file the message names and counts (every reason
// a download fails for is the shared download's own, tested with it).
TEST_F(TransfertsScriptes, LectureQuiEchoueLaisseLeFichier) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3");
  const std::string ancien("ancien téléchargement\r\n\x1a", 26);
  struct Cas {
    const char* nom;
    std::string flux;
    std::optional<std::chrono::milliseconds> coupure;
    std::string raison;
    std::string garde;   // what the rescue holds
    std::string compte;  // as the message tells it; empty: nothing came, no rescue
    std::string vingtSix;
  };
  const Cas cas[] = {
      {"GPS muet trente secondes", "", std::nullopt, "depuis 30 secondes", "", "", "\x1a"},
      {"liaison coupée après deux enregistrements", "\r" + r1 + r2 + r3, std::chrono::milliseconds(1000), "a été coupée",
       r1 + r2 + r3, "(192 octets, 3 lignes)", ""},
  };
  for (const Cas& c : cas) {
    test::ecrireOctets(zorTxt(), ancien);
    scenario2 = test::ScenarioLiaison{&horloge};
    scenario2.arrivees.ajouter(c.flux);
    scenario2.coupure = c.coupure;
    const std::size_t vus = messages.vus().size();
    form.lire_Click();
    ASSERT_EQ(messages.vus().size(), vus + 2) << c.nom;
    const std::string texte = messages.vus().back().texte;
    EXPECT_EQ(test::lireOctets(zorTxt()), ancien) << c.nom;
    EXPECT_TRUE(contient(texte, c.raison)) << texte;
    EXPECT_TRUE(contient(texte, "c:\\zor.txt n'a pas été modifié.")) << texte;
    const fs::path secours = test::secoursAnnonce(texte);
    ASSERT_EQ(secours.empty(), c.compte.empty()) << texte;
    if (!secours.empty()) {
      EXPECT_TRUE(contient(texte, "Ce qui a été reçu après la première fin de ligne " + c.compte + " a été gardé dans " +
                                      secours.string() + " ; c:\\zor.txt n'a pas été modifié."))
          << texte;
      EXPECT_EQ(test::lireOctets(secours), c.garde) << c.nom;
      EXPECT_TRUE(test::seulementPourMoi(secours)) << c.nom;
      fs::remove(secours);
    }
    EXPECT_EQ(scenario2.ecrit, c.vingtSix) << c.nom;
    EXPECT_FALSE(form.MSComm2.PortOpen()) << c.nom;
    EXPECT_FALSE(scenario2.ouvert) << c.nom;
    EXPECT_TRUE(form.sortie.Visible()) << c.nom;
    EXPECT_FALSE(fin.termine()) << c.nom;
  }
}

// The download file's folder goes away during the download (a removed USB stick): the records
// received are kept in the temporary folder and the message says where.
TEST_F(TransfertsScriptes, TexteGardeAilleursQuandLeFichierNePeutPlusEtreEcrit) {
  const std::string r1 = lecture("r1"), r2 = lecture("r2"), r3 = lecture("r3");
  test::ecrireOctets(zorTxt(), "ancien");
  scenario2.refus = [&](const serie::PortDesigne&) -> std::optional<Erreur> {
    fs::remove_all(lecteur.chemin());
    return std::nullopt;
  };
  scenario2.arrivees.ajouter("\r" + r1 + r2 + r3 + r2);
  form.lire_Click();
  EXPECT_FALSE(fs::exists(lecteur.chemin())) << "nothing made again where the folder was";
  fs::create_directories(lecteur.chemin());
  ASSERT_EQ(messages.vus().size(), 2u);
  const std::string texte = messages.vus()[1].texte;
  EXPECT_NE(texte.find("Impossible d'écrire le fichier c:\\zor.txt"), std::string::npos) << texte;
  const fs::path secours = test::secoursAnnonce(texte);
  EXPECT_TRUE(contient(texte, "2 enregistrement(s) reçu(s) ont été gardés dans " + secours.string())) << texte;
  // The file was never emptied, and the message says so.
  EXPECT_NE(texte.find("c:\\zor.txt n'a pas été modifié"), std::string::npos) << texte;
  EXPECT_EQ(test::lireOctets(secours), r2 + r3 + "\r\n");
  fs::remove(secours);
  EXPECT_EQ(scenario2.ecrit, "\x1a");
  EXPECT_FALSE(form.MSComm2.PortOpen());
  EXPECT_TRUE(form.sortie.Visible());
}

TEST_F(TransfertsScriptes, LiaisonCoupeePendantLEnvoi) {
  test::ecrireOctets(lecteur.chemin() / "$_t_e_m_p", "$A*41\r\n\r\n$B*42\r\n\r\n");
  form.ecrire.Visible(true);
  scenario1.echecEcriture = 2;
  form.ecrire_Click();
  const std::string texte = messages.vus().back().texte;
  EXPECT_TRUE(contient(texte, std::string("a été coupée"))) << texte;
  EXPECT_TRUE(contient(texte, std::string("1 phrase(s) envoyée(s)"))) << texte;
  EXPECT_EQ(scenario1.ecrit, "$A*41\r\n");
  EXPECT_EQ(scenario1.abandons, 1);
  verifierVisibles({&form.ecrire, &form.ouvrir, &form.sortie}, {}, "après l'échec");
}

// Killed during a transfer (SIGTERM, SIGHUP, Ctrl+C), the window does what zor-cli does: the
// receiver is told to stop, the port closed, "c:\zor.txt" left as it was, what came kept; then
// the program ends with no box, the text a box would have shown handed over instead.
// (The download is followed through the real window on a real device in tests/qt.)
TEST_F(TransfertsScriptes, SignalPendantUnEnvoi) {
  test::ecrireOctets(lecteur.chemin() / "$_t_e_m_p", "$A*41\r\n\r\n$B*42\r\n\r\n$C*43\r\n");
  form.ecrire.Visible(true);
  scenario1.surEcriture = [this] { signal = 1; };
  form.ecrire_Click();
  ASSERT_EQ(finsSurSignal.size(), 1u);
  EXPECT_EQ(messages.vus().size(), 1u) << "only the confirmation";
  EXPECT_TRUE(finsSurSignal[0].starts_with("Transfert interrompu sur le port de communication Comm")) << finsSurSignal[0];
  EXPECT_TRUE(finsSurSignal[0].ends_with("\n\n1 phrase(s) envoyée(s) (fichier c:\\$_t_e_m_p).")) << finsSurSignal[0];
  EXPECT_EQ(scenario1.ecrit, "$A*41\r\n");
  EXPECT_FALSE(form.MSComm1.PortOpen());
  EXPECT_EQ(fin.fois(), 1);
  EXPECT_EQ(fin.code(), 128 + 1);
}

// Outside a transfer the window's loop ends the program at once.
TEST_F(TransfertsScriptes, SignalHorsTransfert) {
  form.signalRecu();
  EXPECT_FALSE(fin.termine());
  signal = 1;
  form.signalRecu();
  EXPECT_EQ(finsSurSignal, std::vector<std::string>{""});
  EXPECT_EQ(fin.code(), 128 + 1);
}

TEST_F(TransfertsScriptes, FinDeFichierSurPortFermeNEnvoieRien) {
  scenario2.arrivees.ajouter("\r\x1a");
  form.lire_Click();  // the first read takes the 26, then the receiver stays silent
  EXPECT_EQ(scenario2.ecrit, "\x1a");
  boucle.tourner();
  EXPECT_EQ(fin.fois(), 1);
  EXPECT_EQ(scenario2.ecrit, "\x1a") << "sent only by the download, the port being closed";
}

}  // namespace
}  // namespace zor::app
