#include "window/controls/ClassPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace cvx {

namespace {

// Every picture is drawn on a 16 x 16 grid; the painter scales it to the size asked for.
const QColor kOutline(0x30, 0x30, 0x30);

void PaintGlobe(QPainter& p) {
  p.setPen(QPen(QColor(0x1d, 0x4f, 0x91), 1.0));
  p.setBrush(QColor(0x5b, 0x9b, 0xe0));
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0xe8, 0xf2, 0xfc), 0.9));
  p.drawEllipse(QRectF(5, 1.5, 6, 13));
  p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
  p.drawLine(QPointF(2.8, 4.8), QPointF(13.2, 4.8));
  p.drawLine(QPointF(2.8, 11.2), QPointF(13.2, 11.2));
  p.setBrush(QColor(0x3c, 0xa0, 0x3c));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(3.5, 5.5, 4, 3.5));
  p.drawEllipse(QRectF(8.5, 9, 4, 3));
}

void PaintAlias(QPainter& p) {
  p.setPen(QPen(kOutline, 1.0));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  QPainterPath shaft;
  shaft.moveTo(4, 12.5);
  shaft.cubicTo(4, 7.5, 6.5, 5.5, 10, 5.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x1f, 0x6f, 0xc4), 2.0, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(shaft);
  QPainterPath head;
  head.moveTo(13, 5.5);
  head.lineTo(9, 2.5);
  head.lineTo(9, 8.5);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1f, 0x6f, 0xc4));
  p.drawPath(head);
}

void PaintFlag(QPainter& p) {
  p.setPen(QPen(QColor(0x6b, 0x4a, 0x2b), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(3, 1.5), QPointF(3, 15));
  p.setPen(QPen(kOutline, 0.8));
  p.setBrush(QColor(0xd9, 0x2b, 0x2b));
  p.drawRect(QRectF(3.7, 2, 10.5, 7.5));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.1, 4.8, 9.7, 1.9));
}

void PaintBuilding(QPainter& p) {
  p.setPen(QPen(kOutline, 1.0));
  p.setBrush(QColor(0xa8, 0x8a, 0x6a));
  p.drawRect(QRectF(2.5, 2.5, 11, 12.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xff, 0xe8, 0x8a));
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      p.drawRect(QRectF(4 + col * 3, 4 + row * 3, 2, 2));
    }
  }
  p.setBrush(QColor(0x5a, 0x3e, 0x24));
  p.drawRect(QRectF(7, 12.5, 2, 2.5));
}

void PaintFolder(QPainter& p) {
  p.setPen(QPen(QColor(0x8a, 0x6a, 0x10), 1.0));
  p.setBrush(QColor(0xe0, 0xb0, 0x30));
  QPainterPath tab;
  tab.moveTo(1.5, 4);
  tab.lineTo(1.5, 2.5);
  tab.lineTo(6, 2.5);
  tab.lineTo(7.5, 4);
  tab.closeSubpath();
  p.drawPath(tab);
  p.setBrush(QColor(0xf5, 0xcc, 0x50));
  p.drawRect(QRectF(1.5, 4, 13, 10));
  p.setPen(QPen(QColor(0x8a, 0x6a, 0x10), 0.8));
  p.drawLine(QPointF(3.5, 7), QPointF(12.5, 7));
}

void PaintPerson(QPainter& p) {
  p.setPen(QPen(kOutline, 0.9));
  p.setBrush(QColor(0x2f, 0x6d, 0xb5));
  QPainterPath body;
  body.moveTo(2.5, 15);
  body.cubicTo(2.5, 10, 5, 9, 8, 9);
  body.cubicTo(11, 9, 13.5, 10, 13.5, 15);
  body.closeSubpath();
  p.drawPath(body);
  p.setBrush(QColor(0xf2, 0xc2, 0x94));
  p.drawEllipse(QRectF(5, 1.5, 6, 6.5));
}

void PaintMonitor(QPainter& p) {
  p.setPen(QPen(kOutline, 1.0));
  p.setBrush(QColor(0x55, 0x5a, 0x60));
  p.drawRoundedRect(QRectF(1, 1.5, 14, 10), 1, 1);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x4f, 0xb0, 0xe8));
  p.drawRect(QRectF(2.5, 3, 11, 7));
  p.setBrush(QColor(0x55, 0x5a, 0x60));
  p.drawRect(QRectF(6.5, 11.5, 3, 2));
  p.setPen(QPen(kOutline, 0.8));
  p.drawRoundedRect(QRectF(3.5, 13.3, 9, 1.8), 0.6, 0.6);
}

using Painter = void (*)(QPainter&);

Painter PainterFor(const QString& key) {
  struct Entry {
    const char* key;
    Painter paint;
  };
  static const Entry kEntries[] = {{"Top", PaintGlobe},
                                   {"Alias", PaintAlias},
                                   {"Country", PaintFlag},
                                   {"Organization", PaintBuilding},
                                   {"Organizational Unit", PaintFolder},
                                   {"User", PaintPerson},
                                   {"Workstation", PaintMonitor}};
  for (const Entry& e : kEntries) {
    if (key == QLatin1String(e.key)) return e.paint;
  }
  return nullptr;
}

}  // namespace

QPixmap ClassPicture(const QString& key, int size) {
  const Painter paint = PainterFor(key);
  if (!paint || size <= 0) return {};
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  paint(painter);
  return pixmap;
}

}  // namespace cvx
