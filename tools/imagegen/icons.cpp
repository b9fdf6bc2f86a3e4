// Small icons. A 1.5 px line centred on n + 0.75 or n + 0.25 has one edge on
// the pixel grid, which keeps the 20 and 18 px icons crisp.
#include "paint.h"
#include "pictures.h"

namespace imagegen {
namespace {

constexpr qreal kLine = 1.5;

// Warm and cool colours of the device tiles.
const QColor kAmber{0xF4, 0xA6, 0x1B};
const QColor kAmberEdge{0xD9, 0x86, 0x06};
const QColor kFlameBlue{0x25, 0x63, 0xEB};
const QColor kFlameCore{0x9C, 0xC8, 0xFF};
const QColor kHeatRed{0xE0, 0x45, 0x2E};
const QColor kHeatOrange{0xF5, 0x8A, 0x1F};
const QColor kHotWater{0xEA, 0x4D, 0x2C};
const QColor kColdWater{0x1E, 0x88, 0xE5};
const QColor kUnknownGrey{0x94, 0xA3, 0xB8};

// A drop with a soft highlight on its left flank.
QImage drop(const QColor& color) {
  QImage image = canvas(41, 41);
  Painter p(&image);
  const QPointF centre(20.5, 25.5);
  const qreal radius = 12.5;
  p.fillPath(dropPath(centre, radius, 3), color);
  p.setPen(roundPen(faded(palette::kWhite, 0.9), 2.5));
  const QRectF inner(centre.x() - 8.5, centre.y() - 8.5, 17, 17);
  QPainterPath shine;
  shine.arcMoveTo(inner, 195);
  shine.arcTo(inner, 195, 60);
  p.drawPath(shine);
  return image;
}

}  // namespace

QImage barMail() {
  QImage image = canvas(20, 20);
  Painter p(&image);
  p.setPen(roundPen(palette::kSlate, kLine));
  p.drawRoundedRect(QRectF(2.75, 4.75, 14.5, 10.5), 1.75, 1.75);
  QPainterPath flap(QPointF(3.75, 6));
  flap.lineTo(10, 10.75);
  flap.lineTo(16.25, 6);
  p.drawPath(flap);
  return image;
}

QImage barDownload() {
  QImage image = canvas(20, 20);
  Painter p(&image);
  // The shaft sits on the centre line, so it is 2 px wide to stay crisp.
  p.setPen(roundPen(palette::kAccent, 2));
  p.drawLine(QPointF(10, 3), QPointF(10, 12));
  p.setPen(roundPen(palette::kAccent, kLine));
  QPainterPath head(QPointF(6.25, 8.5));
  head.lineTo(10, 12.25);
  head.lineTo(13.75, 8.5);
  p.drawPath(head);
  QPainterPath tray(QPointF(2.75, 11.5));
  tray.lineTo(2.75, 16.25);
  tray.lineTo(17.25, 16.25);
  tray.lineTo(17.25, 11.5);
  p.drawPath(tray);
  return image;
}

QImage barSettings() {
  QImage image = canvas(20, 20);
  Painter p(&image);
  p.setPen(roundPen(palette::kSlate, kLine));
  p.drawPath(gearPath(QPointF(10, 10), 8.25, 6.25, 8));
  p.drawEllipse(QPointF(10, 10), 2.5, 2.5);
  return image;
}

QImage barAbout() {
  QImage image = canvas(20, 20);
  Painter p(&image);
  p.setPen(roundPen(palette::kSlate, kLine));
  p.drawEllipse(QPointF(10, 10), 8.25, 8.25);
  const QRectF hook(7.6, 5.7, 4.8, 4.8);
  QPainterPath mark;
  mark.arcMoveTo(hook, 180);
  mark.arcTo(hook, 180, -225);
  mark.lineTo(10, 11.5);
  // A touch heavier than the ring: the stem on the centre line then fills
  // its two pixel columns almost fully.
  p.setPen(roundPen(palette::kSlate, 1.75));
  p.drawPath(mark);
  p.setPen(Qt::NoPen);
  p.setBrush(palette::kSlate);
  p.drawEllipse(QPointF(10, 14.75), 1.15, 1.15);
  return image;
}

QImage refreshArrow(qreal degrees) {
  QImage image = canvas(18, 18);
  Painter p(&image);
  const QPointF centre(9, 9);
  p.translate(centre);
  p.rotate(degrees);
  p.translate(-centre);

  // A ring open at the right; the arrowhead is a right triangle whose legs
  // lie on the pixel grid and whose long side carries on from the ring's end.
  // Its far corner is 8.5 px from the centre, so every turned frame keeps it.
  const qreal radius = 5.25;
  const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  QPainterPath ring;
  ring.arcMoveTo(circle, -15);    // tail just below three o'clock
  ring.arcTo(circle, -15, -300);  // clockwise to the head at half past one
  QPen pen = roundPen(palette::kSlate, kLine);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.drawPath(ring);
  QPainterPath head(QPointF(15, 3));
  head.lineTo(15, 8);
  head.lineTo(10, 8);
  head.closeSubpath();
  p.fillPath(head, palette::kSlate);
  return image;
}

QImage tileElectricity() {
  QImage image = canvas(41, 41);
  Painter p(&image);
  QPainterPath bolt(QPointF(19, 3));
  bolt.lineTo(30, 3);
  bolt.lineTo(24.5, 15.5);
  bolt.lineTo(32.5, 15.5);
  bolt.lineTo(14.5, 38);
  bolt.lineTo(18.5, 22.5);
  bolt.lineTo(9.5, 22.5);
  bolt.closeSubpath();
  p.setPen(roundPen(kAmberEdge, 1.5));
  p.setBrush(kAmber);
  p.drawPath(bolt);
  return image;
}

QImage tileGas() {
  QImage image = canvas(41, 41);
  Painter p(&image);
  // Outer flame: round base, a tip leaning to the right, a small lick on the left.
  QPainterPath outer(QPointF(22.5, 2.5));
  outer.cubicTo(QPointF(24, 10), QPointF(33.5, 15), QPointF(33.5, 26));
  outer.cubicTo(QPointF(33.5, 33.5), QPointF(28, 38.5), QPointF(20.5, 38.5));
  outer.cubicTo(QPointF(13, 38.5), QPointF(7.5, 33.5), QPointF(7.5, 26.5));
  outer.cubicTo(QPointF(7.5, 20.5), QPointF(10.5, 16.5), QPointF(12.5, 14.5));
  outer.cubicTo(QPointF(12.5, 18), QPointF(14, 20), QPointF(16, 20.5));
  outer.cubicTo(QPointF(15, 13), QPointF(18.5, 7), QPointF(22.5, 2.5));
  outer.closeSubpath();
  p.fillPath(outer, kFlameBlue);
  QPainterPath core(QPointF(20.5, 20));
  core.cubicTo(QPointF(22, 24.5), QPointF(27, 27), QPointF(27, 31.5));
  core.cubicTo(QPointF(27, 35), QPointF(24, 37), QPointF(20.5, 37));
  core.cubicTo(QPointF(17, 37), QPointF(14, 35), QPointF(14, 31.5));
  core.cubicTo(QPointF(14, 27), QPointF(19, 24.5), QPointF(20.5, 20));
  core.closeSubpath();
  p.fillPath(core, kFlameCore);
  return image;
}

QImage tileHeat() {
  QImage image = canvas(41, 41);
  Painter p(&image);
  // Three rising waves over a radiator of five fins.
  p.setPen(roundPen(kHeatOrange, 2.5));
  for (const qreal x : {13.5, 20.5, 27.5}) {
    QPainterPath wave(QPointF(x, 13.5));
    wave.cubicTo(QPointF(x - 3, 10.5), QPointF(x + 3, 6.5), QPointF(x, 3.5));
    p.drawPath(wave);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kHeatRed);
  // Headers through the fins, with the inlet on the left and outlet on the right.
  p.drawRoundedRect(QRectF(2.5, 20, 33, 3), 1.5, 1.5);
  p.drawRoundedRect(QRectF(6, 31, 32.5, 3), 1.5, 1.5);
  for (int i = 0; i < 5; ++i) {
    p.drawRoundedRect(QRectF(6 + i * 6.2, 16.5, 4.6, 21), 2.3, 2.3);
  }
  return image;
}

QImage tileWaterHot() { return drop(kHotWater); }
QImage tileWaterCold() { return drop(kColdWater); }

QImage tileUnknown() {
  QImage image = canvas(41, 41);
  Painter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(kUnknownGrey);
  p.drawRoundedRect(QRectF(3, 3, 35, 35), 8, 8);
  QPainterPath mark = textPath(QStringLiteral("?"), uiFont(26, true));
  const QRectF box = mark.boundingRect();
  mark.translate(20.5, 20.5 - (box.top() + box.height() / 2));
  p.fillPath(mark, palette::kWhite);
  return image;
}

QImage gifFrame(const QImage& image, const QColor& matte) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const int a = qAlpha(row[x]);
      if (a < 64) {
        row[x] = qRgba(0, 0, 0, 0);
        continue;
      }
      auto mix = [a](int c, int m) { return (c * a + m * (255 - a)) / 255; };
      row[x] = qRgba(mix(qRed(row[x]), matte.red()), mix(qGreen(row[x]), matte.green()),
                     mix(qBlue(row[x]), matte.blue()), 255);
    }
  }
  return out;
}

}  // namespace imagegen
