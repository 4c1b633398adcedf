#include "qt/apparence.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zor::qt {

namespace {

// Drawn once at the screen's size and once at twice that, for screens scaled by two.
template <typename Dessin>
QIcon dessiner(int cote, Dessin dessin) {
  QIcon icone;
  for (int echelle : {1, 2}) {
    QPixmap image(cote * echelle, cote * echelle);
    image.setDevicePixelRatio(echelle);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 16.0, cote / 16.0);
    dessin(p);
    p.end();
    icone.addPixmap(image);
  }
  return icone;
}

// A hand-held receiver: body, screen, antenna stub.
void dessinerRecepteur(QPainter& p, double x, double y, double l, double h) {
  p.setPen(QPen(QColor(40, 40, 40), 0.6));
  p.setBrush(QColor(70, 90, 110));
  p.drawRoundedRect(QRectF(x, y, l, h), 1.2, 1.2);
  p.setBrush(QColor(170, 220, 170));
  p.drawRect(QRectF(x + l * 0.18, y + h * 0.15, l * 0.64, h * 0.38));
  p.setBrush(QColor(40, 40, 40));
  p.drawRect(QRectF(x + l * 0.7, y - 2.5, 1.2, 2.5));
}

void dessinerFleche(QPainter& p, double x, double y1, double y2, QColor couleur) {
  p.setPen(QPen(couleur, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x, y1), QPointF(x, y2));
  const double sens = y2 > y1 ? -1 : 1;
  p.drawLine(QPointF(x, y2), QPointF(x - 2.2, y2 + 2.2 * sens));
  p.drawLine(QPointF(x, y2), QPointF(x + 2.2, y2 + 2.2 * sens));
}

}  // namespace

QIcon iconeOk() {
  return dessiner(16, [](QPainter& p) {
    p.setPen(QPen(QColor(0, 140, 0), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  });
}

QIcon iconeOuvrir() {
  return dessiner(16, [](QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 0), 0.8));
    p.setBrush(QColor(240, 200, 80));
    p.drawPolygon(QPolygonF({QPointF(1.5, 4), QPointF(6, 4), QPointF(7.5, 5.5), QPointF(14.5, 5.5),
                             QPointF(14.5, 13.5), QPointF(1.5, 13.5)}));
    p.setBrush(QColor(255, 225, 120));
    p.drawPolygon(QPolygonF({QPointF(3, 7.5), QPointF(15.5, 7.5), QPointF(14.5, 13.5), QPointF(1.5, 13.5)}));
  });
}

QIcon iconeEcrire() {
  return dessiner(32, [](QPainter& p) {
    dessinerRecepteur(p, 8.5, 5, 6.5, 10.5);
    dessinerFleche(p, 4, 14, 4, QColor(200, 60, 0));
  });
}

QIcon iconeLire() {
  return dessiner(32, [](QPainter& p) {
    dessinerRecepteur(p, 1.5, 5, 6.5, 10.5);
    dessinerFleche(p, 12, 4, 14, QColor(0, 90, 200));
  });
}

QIcon iconeSortie() {
  return dessiner(16, [](QPainter& p) {
    p.setPen(QPen(QColor(90, 50, 20), 0.8));
    p.setBrush(QColor(160, 100, 50));
    p.drawRect(QRectF(3, 1.5, 7, 13));
    p.setPen(QPen(QColor(200, 0, 0), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 8), QPointF(15, 8));
    p.drawLine(QPointF(15, 8), QPointF(12.5, 5.5));
    p.drawLine(QPointF(15, 8), QPointF(12.5, 10.5));
  });
}

QIcon iconeFenetre() {
  return dessiner(32, [](QPainter& p) {
    dessinerRecepteur(p, 4, 3.5, 8, 11.5);
    p.setPen(QPen(QColor(200, 0, 0), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 7), 1.4, 1.4);
  });
}

QIcon icone(Image image) {
  switch (image) {
    case Image::Ok: return iconeOk();
    case Image::Ouvrir: return iconeOuvrir();
    case Image::Ecrire: return iconeEcrire();
    case Image::Lire: return iconeLire();
    case Image::Sortie: return iconeSortie();
    case Image::Fenetre: return iconeFenetre();
    case Image::APropos: return QIcon(imageAPropos());
    case Image::Aucune: break;
  }
  return {};
}

QPixmap imageAPropos() {
  QPixmap image(32, 32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // A hand-held receiver: antenna, body, screen with a route leading to a waypoint flag.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40));
  p.drawRoundedRect(QRectF(20, 1, 3.5, 7), 1, 1);
  p.setPen(QPen(QColor(30, 30, 30), 1));
  p.setBrush(QColor(55, 85, 120));
  p.drawRoundedRect(QRectF(7.5, 5.5, 17, 25), 3, 3);
  p.setBrush(QColor(185, 230, 185));
  p.drawRect(QRectF(10.5, 8.5, 11, 11));
  p.setPen(QPen(QColor(0, 90, 200), 1.2, Qt::DotLine));
  p.drawPolyline(QPolygonF({QPointF(12, 18), QPointF(15, 14.5), QPointF(17.5, 15.5), QPointF(19.5, 11.5)}));
  p.setPen(QPen(QColor(60, 30, 0), 1));
  p.drawLine(QPointF(19.5, 11.5), QPointF(19.5, 9.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 0, 0));
  p.drawPolygon(QPolygonF({QPointF(19.5, 9.5), QPointF(21.5, 10.3), QPointF(19.5, 11.1)}));
  p.setBrush(QColor(230, 230, 230));
  for (double x : {11.5, 15.0, 18.5}) p.drawEllipse(QRectF(x, 22.5, 2.5, 2.5));
  p.drawRoundedRect(QRectF(12, 26.5, 8, 2), 1, 1);
  p.end();
  return image;
}

}  // namespace zor::qt
