#pragma once
// The main window: every control carries the name the rest of the program uses for it.
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/etiquette_fenetre.h"
#include "app/services.h"
#include "platform/common_dialog.h"
#include "serial/suivi.h"

class QComboBox;
class QRadioButton;
class QToolButton;
class QAction;

namespace zor::serie {
class MSComm;
}
namespace zor::apropos {
class frmAbout;
}

namespace zor::app {

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(Services services = {}, QWidget* parent = nullptr);
  ~Form1() override;

  // Controls, in the window's tab order.
  QRadioButton* profil = nullptr;
  QRadioButton* waypoint = nullptr;
  QLabel* zor = nullptr;
  QToolButton* ouvrir = nullptr;
  QToolButton* ecrire = nullptr;
  QLabel* nombre = nullptr;
  QToolButton* sortie = nullptr;
  QLabel* nombre1 = nullptr;
  QComboBox* Comm = nullptr;
  QLabel* prtd = nullptr;
  QLabel* result = nullptr;
  QLabel* quant1 = nullptr;
  EtiquetteFenetre* fenetre = nullptr;
  QLabel* Label1 = nullptr;
  QToolButton* lire = nullptr;
  QComboBox* nom = nullptr;
  QLabel* Typef = nullptr;
  QLabel* Label2 = nullptr;
  QToolButton* ok = nullptr;
  QToolButton* ok1 = nullptr;
  QAction* zorfrmabout = nullptr;

  // Controls never shown: settings the handlers read.
  platform::CommonDialog ouverture;
  platform::CommonDialog ecriture;
  platform::CommonDialog ecrizor;
  std::unique_ptr<serie::MSComm> MSComm1;
  std::unique_ptr<serie::MSComm> MSComm2;

  // The client area, in which every control sits at its fixed place.
  QWidget* client() const { return client_; }
  // Pixels for a length in twips at this screen's logical resolution.
  int px(int twips) const;

  // Sets a label's caption the way the program's labels behave (fenetre grows with its text).
  void definirCaption(QLabel* etiquette, const QString& texte);

 public slots:
  void ok_Click();
  void ok1_Click();
  void sortie_Click();
  void ouvrir_Click();
  void ecrire_Click();
  void lire_Click();
  void zorfrmabout_Click();
  void MSComm2_OnComm();

 public:
  void Form_KeyPress(int& KeyAscii);
  void Form_DblClick();
  void Form_Unload();

  // --- about box (one instance at most) ---
  apropos::frmAbout* boiteAPropos() const;

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void construireControles();
  void construireCommunication();
  void detruireCommunication();

  QWidget* client_ = nullptr;

  // --- about box ---
  QPointer<apropos::frmAbout> apropos_;

  // --- what the window asks of the user and the system ---
  Services services_;
  platform::Reponse MsgBox(const QString& texte, platform::Boutons boutons, platform::Icone icone,
                           const QString& titre = platform::kTitreApplication);
  Horloge& horloge() { return *services_.horloge; }
  // Ends the program at once; the caller returns straight away (a test's end returns).
  void terminer() { services_.fin(); }

  // --- serial link state ---
  // A transfer runs inside its click handler. Meanwhile the window goes on painting itself and
  // answering the desktop, but takes no click or key; a request to close it waits for the end.
  bool enTransfert_ = false;
  bool fermetureDemandee_ = false;
  class Transfert;
  // Paints what changed and handles what the window system sent, except the user's input.
  void veiller();
  // Before the message that ends a transfer: a close request waiting in the queue is held.
  void avantMessageDeFin();
  void repeindre();
  serie::Suivi affichageTransfert();
  // Each item of `Comm` tells the device behind it.
  void decrirePorts();
};

}  // namespace zor::app
