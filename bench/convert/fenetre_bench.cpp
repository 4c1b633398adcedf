// The window's conversion of a large file, timed: the real Form1 on the offscreen platform,
// the dialog answered in code, the click handler called as the button would.
//   fenetre_bench FICHIER_G7TOWIN
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/form1.h"
#include "platform/common_dialog.h"
#include "platform/messages.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (argc != 2 && argc != 3) return 2;
  QTemporaryDir lecteurC;
  ::setenv("ZOR_DRIVE_C", QFile::encodeName(lecteurC.path()).constData(), 1);
  const QString entree = QString::fromLocal8Bit(argv[1]);
  zor::app::Services services;
  services.ouverture = [&](const zor::platform::DemandeOuverture&) { return std::optional<QString>(entree); };
  services.messages = [](const zor::platform::DemandeMessage&) { return zor::platform::Reponse::Ok; };

  zor::app::Form1 form(services);
  form.show();
  form.ok_Click();
  form.ok1_Click();
  form.nom->setEditText(argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("G7towin"));
  QCoreApplication::processEvents();

  const auto debut = std::chrono::steady_clock::now();
  form.ouvrir_Click();
  const auto fin = std::chrono::steady_clock::now();
  QCoreApplication::processEvents();  // the one repaint after the run, as the user sees it
  const auto affiche = std::chrono::steady_clock::now();

  const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
  std::printf("%s %.1f %.1f %lld\n", form.quant1->text().toUtf8().constData(), ms(fin - debut), ms(affiche - debut),
              static_cast<long long>(form.fenetre->tailleOctets()));
  return 0;
}
