// The window's conversion of a large file, timed: the real window on the offscreen platform,
// the dialog answered in code, the click handler called as the button would.
//   fenetre_bench FICHIER_G7TOWIN
#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/form1.h"
#include "qt/form1_qt.h"
#include "qt/services_qt.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (argc != 2 && argc != 3) return 2;
  QTemporaryDir lecteurC;
  ::setenv("ZOR_DRIVE_C", QFile::encodeName(lecteurC.path()).constData(), 1);
  const std::string entree = argv[1];
  zor::app::Services services;
  services.ouverture = [&](const zor::app::DemandeOuverture&) { return std::optional<std::string>(entree); };
  services.messages = [](const zor::DemandeMessage&) { return zor::Reponse::Ok; };

  QPointer<zor::qt::Form1Qt> pointeur;
  zor::app::Form1 modele(zor::qt::servicesQt(services, pointeur));
  zor::qt::Form1Qt form(modele);
  pointeur = &form;
  form.show();
  modele.ok_Click();
  modele.ok1_Click();
  modele.nom.Text(argc == 3 ? argv[2] : "G7towin");
  QCoreApplication::processEvents();

  const auto debut = std::chrono::steady_clock::now();
  modele.ouvrir_Click();
  const auto fin = std::chrono::steady_clock::now();
  QCoreApplication::processEvents();  // the one repaint after the run, as the user sees it
  const auto affiche = std::chrono::steady_clock::now();

  const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
  std::printf("%s %.1f %.1f %lld\n", modele.quant1.Caption().c_str(), ms(fin - debut), ms(affiche - debut),
              static_cast<long long>(modele.fenetre.octets().size()));
  modele.definirVue({});
  return 0;
}
