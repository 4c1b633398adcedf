// Files dropped on the real window (offscreen): the whole window takes one local file, whatever
// lies under the pointer, and converts it once the drop is over; other drags are not its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "qt/depot_fichier.h"
#include "tests/support/fenetre.h"

namespace zor::qt {
namespace {

QString donnee(const char* nom) {
  return QString::fromUtf8(std::getenv("ZOR_SOURCE_DIR")) + QStringLiteral("/tests/convert/donnees/") + QLatin1String(nom);
}

class DepotTest : public test::FenetreQt {
 protected:
  // Drags `donnees` onto the window at `point` (client coordinates); true when it was taken.
  bool glisser(const QMimeData& donnees, QPoint point) {
    const QPoint p = form.client()->mapTo(&form, point);
    QDragEnterEvent entree(p, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &donnees, Qt::LeftButton, {});
    QCoreApplication::sendEvent(form.windowHandle(), &entree);
    if (!entree.isAccepted()) return false;
    // An X11 source may no longer hand its data over once the button is let go.
    const QMimeData partie;
    QDropEvent depot(QPointF(p), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, donnees.hasUrls() ? &partie : &donnees,
                     Qt::LeftButton, {});
    QCoreApplication::sendEvent(form.windowHandle(), &depot);
    EXPECT_EQ(depot.dropAction(), Qt::CopyAction) << "le fichier déposé n'est ni déplacé ni lié";
    return depot.isAccepted();
  }
  static QMimeData* urls(const QList<QUrl>& liste) {
    auto* d = new QMimeData;
    if (!liste.isEmpty()) d->setUrls(liste);
    d->setText(QStringLiteral("du texte"));
    return d;
  }

  test::LecteurCTemporaire lecteur;
};

TEST_F(DepotTest, UnFichierLocalSeulEstPrisPartoutDansLaFenetre) {
  const QUrl gpx = QUrl::fromLocalFile(donnee("lignes.gpx"));
  struct Cas {
    const char* quoi;
    QList<QUrl> urls;
    bool pris;
    bool texteTape;  // the port list's edit field took the drag's text
  } cas[] = {
      {"un dossier", {QUrl::fromLocalFile(QString::fromStdString(lecteur.chemin().string()))}, true, false},
      {"deux fichiers", {gpx, QUrl::fromLocalFile(donnee("exemple.axe"))}, false, false},
      {"une adresse web", {QUrl(QStringLiteral("https://exemple.org/trace.gpx"))}, false, false},
      {"un fichier", {gpx}, true, false},
      {"rien que du texte", {}, true, true},
  };
  modele.ok_Click();
  auto* comm = qobject_cast<QComboBox*>(w(modele.Comm));
  ASSERT_NE(comm, nullptr);
  for (const Cas& c : cas) {
    std::unique_ptr<QMimeData> d(urls(c.urls));
    comm->setEditText(QStringLiteral("Comm1"));
    EXPECT_EQ(glisser(*d, comm->geometry().center()), c.pris) << c.quoi;
    QTest::qWait(50);
    EXPECT_EQ(comm->currentText().contains(QStringLiteral("du texte")), c.texteTape) << c.quoi;
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return modele.quant1.Caption() == "12"; }));
  EXPECT_TRUE(w(modele.ecrire)->isVisible());
  EXPECT_FALSE(modele.ok1.Visible());
  ASSERT_EQ(messages.vus().size(), 1u) << "un dossier ne dit rien";
  EXPECT_EQ(messages.vus()[0].icone, Icone::Information);
}

}  // namespace
}  // namespace zor::qt
