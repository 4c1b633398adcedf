// Screenshots of the real window, for the README and for looking at what a user sees:
//   xvfb-run -a build/zor-capture DOSSIER
// writes fenetre-depart.png (start layout), fenetre-type.png (after both "Ok" steps),
// liste-types.png (the type list open), boite-confirmation.png (the quit confirmation) and
// dialogue-ouvrir.png (the open dialog), the toolkit's texts in the user's language;
//   xvfb-run -a build/zor-capture DOSSIER FICHIER_G7TOWIN
// also converts that file and writes fenetre-conversion.png;
//   xvfb-run -a build/zor-capture DOSSIER FICHIER_G7TOWIN PERIPH_ENVOI PERIPH_RECEPTION
// then sends it to one simulated receiver (fenetre-envoi.png) and downloads from another
// (fenetre-reception.png), every confirmation answered OK.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/form1.h"
#include "qt/dialogue_ouverture.h"
#include "qt/form1_qt.h"
#include "qt/messages.h"
#include "qt/services_qt.h"
#include "qt/style.h"
#include "qt/traductions.h"

namespace {
void capturer(QWidget& fenetre, const QString& chemin) {
  QTest::qWait(300);
  const QRect cadre = fenetre.frameGeometry();
  QPixmap image = fenetre.screen()->grabWindow(0, cadre.x(), cadre.y(), cadre.width(), cadre.height());
  if (image.isNull()) image = fenetre.grab();
  image.save(chemin);
}

// Photographs the screen around the window and `autour` (a list, a box) as it stands now.
void capturerEcran(QWidget& fenetre, QWidget* autour, const QString& chemin) {
  QRect cadre = fenetre.frameGeometry();
  if (autour != nullptr) cadre = cadre.united(autour->frameGeometry());
  fenetre.screen()->grabWindow(0, cadre.x(), cadre.y(), cadre.width(), cadre.height()).save(chemin);
}

// Photographs the modal box `ouvrir` shows, then closes it as Esc would.
void capturerBoite(QWidget& fenetre, const QString& chemin, const std::function<void()>& ouvrir) {
  QTimer::singleShot(700, [&fenetre, chemin] {
    QWidget* boite = QApplication::activeModalWidget();
    if (boite == nullptr) return;
    capturerEcran(fenetre, boite, chemin);
    boite->close();
  });
  ouvrir();
}
}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZOR"));
  zor::qt::installerTraductions();
  QApplication::setStyle(new zor::qt::StyleZor);
  const QDir dossier(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  // Every confirmation answered OK; the open dialog answers with the file given.
  zor::app::Services services;
  const std::string fichier = argc > 2 ? argv[2] : "";
  services.ouverture = [&](const zor::app::DemandeOuverture&) { return std::optional<std::string>(fichier); };
  services.messages = [](const zor::DemandeMessage&) { return zor::Reponse::Ok; };
  QPointer<zor::qt::Form1Qt> pointeur;
  zor::app::Form1 modele(zor::qt::servicesQt(services, pointeur));
  zor::qt::Form1Qt form(modele);
  pointeur = &form;
  auto widget = [&form](const zor::Controle& c) { return form.widget(c); };
  form.move(0, 0);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  capturer(form, dossier.filePath(QStringLiteral("fenetre-depart.png")));
  QTest::mouseClick(widget(modele.ok), Qt::LeftButton);
  QTest::mouseClick(widget(modele.ok1), Qt::LeftButton);
  capturer(form, dossier.filePath(QStringLiteral("fenetre-type.png")));
  auto* nom = qobject_cast<QComboBox*>(widget(modele.nom));
  nom->showPopup();
  QTest::qWait(300);
  capturerEcran(form, nom->view()->window(), dossier.filePath(QStringLiteral("liste-types.png")));
  nom->hidePopup();
  capturerBoite(form, dossier.filePath(QStringLiteral("boite-confirmation.png")), [&form] {
    zor::qt::afficherMessage({"êtes-vous sûr de vouloir quitter le programme?", "ZOR", zor::Boutons::OkCancel,
                              zor::Icone::Aucune},
                             &form);
  });
  capturerBoite(form, dossier.filePath(QStringLiteral("dialogue-ouvrir.png")), [&form, &modele] {
    // The real dialog, not the answer given to the conversion below.
    zor::app::CommonDialog reel = modele.ouverture;
    reel.ShowOpen([&form](const zor::app::DemandeOuverture& d) { return zor::qt::afficherOuverture(d, &form); });
  });
  if (argc > 2) {
    nom->setCurrentText(QStringLiteral("G7towin"));
    QTest::mouseClick(widget(modele.ouvrir), Qt::LeftButton);
    capturer(form, dossier.filePath(QStringLiteral("fenetre-conversion.png")));
  }
  if (argc > 4) {
    qputenv("ZOR_COMM1", argv[3]);
    QTest::mouseClick(widget(modele.ecrire), Qt::LeftButton);
    capturer(form, dossier.filePath(QStringLiteral("fenetre-envoi.png")));
    qputenv("ZOR_COMM1", argv[4]);
    QTest::mouseClick(widget(modele.lire), Qt::LeftButton);
    capturer(form, dossier.filePath(QStringLiteral("fenetre-reception.png")));
  }
  modele.definirVue({});
  return 0;
}
