// What the desktop adds around the window: the toolkit's own texts, open lists, button faces.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBoundaryFinder>

#include "qt/bouton_image.h"
#include "qt/messages.h"
#include "qt/traductions.h"
#include "tests/support/fenetre.h"

namespace zor::qt {
namespace {

TEST(TraductionsTest, BoutonsStandardDansLaLangueDeLUtilisateurSinonEnFrancais) {
  struct Cas {
    QLocale langue;
    const char* annuler;
  };
  const Cas cas[] = {
      {QLocale(QLocale::French, QLocale::France), "Annuler"},
      {QLocale::c(), "Annuler"},                                      // LANG=C
      {QLocale(QLocale::Swahili, QLocale::Kenya), "Annuler"},         // no translation of the toolkit
      {QLocale(QLocale::German, QLocale::Germany), "Abbrechen"},     // the user's own language
  };
  for (const auto& c : cas) {
    EXPECT_TRUE(installerTraductions(c.langue)) << c.langue.name().toStdString();
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("ZOR"), QStringLiteral("?"),
                      QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(boite.button(QMessageBox::Cancel)->text(), QLatin1String(c.annuler)) << c.langue.name().toStdString();
    EXPECT_EQ(boite.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
  }
  installerTraductions(QLocale::c());
}

TEST(TraductionsTest, DialogueOuvrirEnFrancais) {
  installerTraductions(QLocale::c());
  QFileDialog dialogue(nullptr, QStringLiteral("Fichier en entrée"));
  dialogue.setOption(QFileDialog::DontUseNativeDialog);
  dialogue.setAcceptMode(QFileDialog::AcceptOpen);
  dialogue.setFileMode(QFileDialog::ExistingFile);
  const auto* regarder = dialogue.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  const auto* boutons = dialogue.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  ASSERT_NE(regarder, nullptr);
  ASSERT_NE(boutons, nullptr);
  EXPECT_EQ(regarder->text(), QStringLiteral("Voir dans :"));
  EXPECT_EQ(boutons->button(QDialogButtonBox::Open)->text(), QStringLiteral("&Ouvrir"));
  EXPECT_EQ(boutons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
  // The type column of every folder in the list.
  EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("Dossier"));
}

// The window at the type step.
class BureauTest : public test::FenetreQtEtapeType {
 protected:
  QComboBox* liste(const Controle& c) { return qobject_cast<QComboBox*>(w(c)); }
  QToolButton* bouton(const Controle& c) { return qobject_cast<QToolButton*>(w(c)); }
};

TEST(Bureau, EchapSurUneListeOuverteLaFermeSeulementPuisQuitte) {
  for (Controle app::Form1::*controle : {&app::Form1::Comm, &app::Form1::nom}) {
    test::FenetreQtSeule f;
    auto* liste = qobject_cast<QComboBox*>(f.w(controle));
    const std::string nom = liste->objectName().toStdString();
    liste->setFocus();
    liste->showPopup();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << nom;
    // Through the window, as keys come from the keyboard: the toolkit hands them to the open list.
    QTest::keyClick(f.form.windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << nom;
    EXPECT_EQ(f.fin.fois(), 0) << nom;
    // A desktop gives the activation and the focus back to the window when the list closes;
    // the offscreen platform leaves them with the closed list.
    f.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &f.form; })) << nom;
    liste->setFocus();
    QTest::keyClick(f.form.windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(f.fin.fois(), 1) << nom;
  }
}

TEST_F(BureauTest, ListeDesTypesOuverteMontreLesNomsEntiersEtLeChoixMontreSonDebut) {
  QComboBox* nom = liste(modele.nom);
  EXPECT_EQ(nom->geometry(), QRect(form.px(4440), form.px(1920), form.px(1815), form.px(315)));
  nom->showPopup();
  QAbstractItemView* vue = nom->view();
  ASSERT_TRUE(vue->isVisible());
  EXPECT_GE(vue->viewport()->width(), vue->sizeHintForColumn(0));

  const QModelIndex autoroute = vue->model()->index(2, 0);
  QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(autoroute).center());
  EXPECT_FALSE(vue->isVisible());
  EXPECT_EQ(nom->currentText(), QStringLiteral("Autoroute Express 2001"));
  EXPECT_EQ(nom->lineEdit()->cursorPosition(), 0);
}

QColor pixel(QWidget* w, QPoint point) { return w->grab().toImage().pixelColor(point); }

TEST_F(BureauTest, BoutonsImagesFaceUnieBordEnReliefQuiSEnfonce) {
  struct Cas {
    QToolButton* bouton;
    QColor face;
  };
  const Cas cas[] = {
      {bouton(modele.ok), QColor(255, 224, 192)},     {bouton(modele.ok1), QColor(255, 224, 192)},
      {bouton(modele.ouvrir), QColor(255, 224, 192)}, {bouton(modele.ecrire), QColor(255, 224, 192)},
      {bouton(modele.lire), QColor(255, 224, 192)},   {bouton(modele.sortie), QColor(255, 192, 192)},
  };
  for (const auto& c : cas) {
    QToolButton* b = c.bouton;
    const std::string nom = b->objectName().toStdString();
    const QPoint basDroite(b->width() - 1, b->height() - 1);
    // Well inside the border, clear of the picture and of the caption.
    EXPECT_EQ(pixel(b, QPoint(5, 5)), c.face) << nom;
    EXPECT_EQ(pixel(b, QPoint(5, b->height() / 2)), c.face) << nom;
    EXPECT_GT(pixel(b, QPoint(0, 0)).lightness(), pixel(b, basDroite).lightness()) << nom << " en relief";
    b->setDown(true);
    EXPECT_LT(pixel(b, QPoint(0, 0)).lightness(), pixel(b, basDroite).lightness()) << nom << " enfoncé";
    b->setDown(false);
  }
}

// The picture at its own size above the caption (32 × 32 on "Lire" and "Ecrire"), the caption
// whole; only the "Ok" buttons, too low for both, put the picture at the caption's left.
TEST_F(BureauTest, BoutonsImagesImageASaTailleAuDessusDeLaLegendeEntiere) {
  for (const Controle* c : {&modele.ok, &modele.ok1, &modele.ouvrir, &modele.sortie, &modele.ecrire, &modele.lire}) {
    QToolButton* b = bouton(*c);
    const std::string nom(c->nom());
    const auto d = static_cast<BoutonImage*>(b)->disposition();
    const QRect face = b->rect().adjusted(2, 2, -2, -2);
    EXPECT_TRUE(face.contains(d.texte)) << nom;
    EXPECT_GE(d.texte.width(), b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&')))) << nom;
    EXPECT_EQ(d.image.size(), QSize(c->description().coteImage, c->description().coteImage)) << nom;
    const bool aGauche = c == &modele.ok || c == &modele.ok1;
    EXPECT_EQ(d.image.right() < d.texte.left(), aGauche) << nom;
    EXPECT_EQ(d.image.center().y() < d.texte.top(), !aGauche) << nom;
  }
}

TEST_F(BureauTest, BoutonImageAvecLeFocusMontreSonRectangle) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto lignePointillee = [&] {
    const QImage image = bouton(modele.sortie)->grab().toImage();
    int differents = 0;
    for (int x = 4; x < image.width() - 4; ++x) differents += image.pixelColor(x, 3) != QColor(255, 192, 192);
    return differents;
  };
  bouton(modele.ouvrir)->setFocus();
  EXPECT_EQ(lignePointillee(), 0);
  bouton(modele.sortie)->setFocus();
  EXPECT_GT(lignePointillee(), 0);
}

}  // namespace
}  // namespace zor::qt

namespace zor::qt {
namespace {

// A box's text breaks between words only: never inside a path or a device name.
TEST(BoiteTest, UnCheminNeSeCoupeJamais) {
  const std::string texte =
      "Le port de communication Comm1 (/dev/pts/1) est introuvable : aucun fichier ou dossier de ce nom.\n"
      "Fichier c:\\zor.txt (/home/moi/usb-Prolific_Technology_Inc.-port0/zor.txt) illisible.";
  const QString boite = texteDeBoite(texte);
  EXPECT_EQ(QString(boite).remove(QChar(0x2060)).toStdString(), texte);
  QTextBoundaryFinder coupures(QTextBoundaryFinder::Line, boite);
  for (const QString& chemin : {QStringLiteral("(/dev/pts/1)"), QStringLiteral("c:\\zor.txt"),
                                QStringLiteral("(/home/moi/usb-Prolific_Technology_Inc.-port0/zor.txt)")}) {
    QString joint;
    for (qsizetype i = 0; i < chemin.size(); ++i) joint += (i > 0 ? QString(QChar(0x2060)) : QString()) + chemin.at(i);
    const qsizetype debut = boite.indexOf(joint);
    ASSERT_GE(debut, 0) << chemin.toStdString();
    for (qsizetype p = debut + 1; p < debut + joint.size(); ++p) {
      coupures.setPosition(p);
      EXPECT_FALSE(coupures.isAtBoundary()) << chemin.toStdString() << " @" << p;
    }
  }
  coupures.setPosition(boite.indexOf(QStringLiteral("communication")));
  EXPECT_TRUE(coupures.isAtBoundary());
}

}  // namespace
}  // namespace zor::qt
