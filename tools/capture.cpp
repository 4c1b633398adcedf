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
#include "app/traductions.h"
#include "platform/common_dialog.h"
#include "platform/messages.h"

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
  zor::app::installerTraductions();
  const QDir dossier(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  // Every confirmation answered OK; the open dialog answers with the file given.
  zor::app::Services services;
  const QString fichier = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  services.ouverture = [&](const zor::platform::DemandeOuverture&) { return std::optional<QString>(fichier); };
  services.messages = [](const zor::platform::DemandeMessage&) { return zor::platform::Reponse::Ok; };
  zor::app::Form1 form(services);
  form.move(0, 0);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  capturer(form, dossier.filePath(QStringLiteral("fenetre-depart.png")));
  QTest::mouseClick(form.ok, Qt::LeftButton);
  QTest::mouseClick(form.ok1, Qt::LeftButton);
  capturer(form, dossier.filePath(QStringLiteral("fenetre-type.png")));
  form.nom->showPopup();
  QTest::qWait(300);
  capturerEcran(form, form.nom->view()->window(), dossier.filePath(QStringLiteral("liste-types.png")));
  form.nom->hidePopup();
  capturerBoite(form, dossier.filePath(QStringLiteral("boite-confirmation.png")), [] {
    zor::platform::MsgBox({}, QStringLiteral("êtes-vous sûr de vouloir quitter le programme?"),
                          zor::platform::Boutons::OkCancel, zor::platform::Icone::Aucune);
  });
  capturerBoite(form, dossier.filePath(QStringLiteral("dialogue-ouvrir.png")), [&form] {
    // The real dialog, not the answer given to the conversion below.
    zor::platform::CommonDialog reel = form.ouverture;
    reel.dialogue = {};
    reel.ShowOpen(&form);
  });
  if (argc > 2) {
    form.nom->setCurrentText(QStringLiteral("G7towin"));
    QTest::mouseClick(form.ouvrir, Qt::LeftButton);
    capturer(form, dossier.filePath(QStringLiteral("fenetre-conversion.png")));
  }
  if (argc > 4) {
    qputenv("ZOR_COMM1", argv[3]);
    QTest::mouseClick(form.ecrire, Qt::LeftButton);
    capturer(form, dossier.filePath(QStringLiteral("fenetre-envoi.png")));
    qputenv("ZOR_COMM1", argv[4]);
    QTest::mouseClick(form.lire, Qt::LeftButton);
    capturer(form, dossier.filePath(QStringLiteral("fenetre-reception.png")));
  }
  return 0;
}
