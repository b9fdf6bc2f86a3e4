// Brand emblem, logos, the connection screen's column pictures and separator.
#include <QTransform>
#include <QtMath>
#include <algorithm>

#include "paint.h"
#include "pictures.h"

namespace imagegen {
namespace {

// The emblem: a meter dial, part read, with its needle and a small pulse in
// the open bottom. Every measure is a share of `radius` so it scales cleanly.
void drawEmblem(QPainter& p, QPointF c, qreal radius, const QColor& disc, const QColor& mark,
                bool withDisc) {
  if (withDisc) {
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(c, radius, radius);
  }
  const qreal r = radius * 0.64;
  const QRectF dial(c.x() - r, c.y() - r, 2 * r, 2 * r);
  const qreal read = 0.62;  // share of the scale the needle has reached
  p.setBrush(Qt::NoBrush);
  p.setPen(roundPen(faded(mark, 0.38), radius * 0.12));
  QPainterPath rest;
  rest.arcMoveTo(dial, 225 - 270 * read);
  rest.arcTo(dial, 225 - 270 * read, -270 * (1 - read));
  p.drawPath(rest);
  p.setPen(roundPen(mark, radius * 0.12));
  QPainterPath done;
  done.arcMoveTo(dial, 225);
  done.arcTo(dial, 225, -270 * read);
  p.drawPath(done);

  const qreal needle = qDegreesToRadians(225 - 270 * read);
  const QPointF tip = c + QPointF(std::cos(needle), -std::sin(needle)) * radius * 0.46;
  p.setPen(roundPen(mark, radius * 0.1));
  p.drawLine(c, tip);
  p.setPen(Qt::NoPen);
  p.setBrush(mark);
  p.drawEllipse(c, radius * 0.14, radius * 0.14);

  // The pulse: a flat line with one beat, where the dial is open.
  const qreal y = c.y() + radius * 0.6;
  const qreal u = radius * 0.11;
  QPainterPath pulse(QPointF(c.x() - 2.6 * u, y));
  pulse.lineTo(c.x() - 1.1 * u, y);
  pulse.lineTo(c.x() - 0.3 * u, y - 1.6 * u);
  pulse.lineTo(c.x() + 0.5 * u, y + 1.0 * u);
  pulse.lineTo(c.x() + 1.1 * u, y);
  pulse.lineTo(c.x() + 2.6 * u, y);
  p.setBrush(Qt::NoBrush);
  p.setPen(roundPen(mark, radius * 0.075));
  p.drawPath(pulse);
}

// A wordmark centred on `centreX`, its box centred on `centreY`; a long name
// is scaled down to `maxWidth`.
void drawWordmark(QPainter& p, const QString& text, const QFont& font, qreal centreX, qreal centreY,
                  qreal maxWidth, const QColor& color) {
  QPainterPath path = textPath(text, font);
  const qreal scale = std::min<qreal>(1, maxWidth / path.boundingRect().width());
  path = QTransform::fromScale(scale, scale).map(path);
  const QRectF box = path.boundingRect();
  path.translate(centreX, centreY - (box.top() + box.height() / 2));
  p.fillPath(path, color);
}

void drawBackdrop(QPainter& p, const QColor& tint) {
  p.setPen(Qt::NoPen);
  p.setBrush(tint);
  p.drawEllipse(QPointF(100, 80), 70, 70);
}

// Drawn twice: a white halo first, so that overlapping shapes stay apart.
void fillWithHalo(QPainter& p, const QPainterPath& path, const QColor& fill, qreal halo) {
  p.setBrush(Qt::NoBrush);
  p.setPen(roundPen(palette::kWhite, 2 * halo));
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.fillPath(path, fill);
}

// Capitals read better tracked out; lower case reads better tight.
qreal tracking(const QString& wordmark, qreal capitals, qreal lower) {
  return wordmark == wordmark.toUpper() ? capitals : lower;
}

}  // namespace

QImage logo(const QString& wordmark, const QColor& accent) {
  QImage image = canvas(200, 160);
  Painter p(&image);
  drawEmblem(p, QPointF(100, 58), 48, accent, palette::kWhite, true);
  drawWordmark(p, wordmark, uiFont(28, true, tracking(wordmark, 3, 0.5)), 100, 137, 160,
               palette::kInk);
  return image;
}

QImage logoSmall(const QString& wordmark, const QColor& accent) {
  QImage image = canvas(70, 70);
  Painter p(&image);
  drawEmblem(p, QPointF(35, 26), 24, accent, palette::kWhite, true);
  drawWordmark(p, wordmark, uiFont(11, true, tracking(wordmark, 0.8, 0.2)), 35, 61.5, 58,
               palette::kInk);
  return image;
}

QImage appIcon() {
  QImage image = canvas(128, 128);
  Painter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(palette::kAccent);
  p.drawRoundedRect(QRectF(4, 4, 120, 120), 26, 26);
  drawEmblem(p, QPointF(64, 64), 50, palette::kAccent, palette::kWhite, false);
  return image;
}

QImage columnAdmin() {
  using namespace palette;
  QImage image = canvas(200, 160);
  Painter p(&image);
  drawBackdrop(p, kAccentTint);

  // An ID card on a lanyard clip.
  const QRectF card(38, 44, 106, 72);
  p.setPen(roundPen(kSlate, 3));
  p.setBrush(kWhite);
  p.drawRoundedRect(card, 9, 9);
  p.setPen(Qt::NoPen);
  p.setBrush(kSlate);
  p.drawRoundedRect(QRectF(79, 37, 24, 11), 4, 4);
  p.setBrush(kWhite);
  p.drawRoundedRect(QRectF(85, 41, 12, 3), 1.5, 1.5);

  // Portrait: head and shoulders cut to a rounded frame.
  const QRectF frame(50, 58, 34, 44);
  QPainterPath framePath;
  framePath.addRoundedRect(frame, 6, 6);
  p.fillPath(framePath, kAccentTint);
  p.save();
  p.setClipPath(framePath);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(67, 75), 8.5, 8.5);
  p.drawEllipse(QPointF(67, 104), 15, 13);
  p.restore();

  // Text lines of the card.
  p.setPen(roundPen(kSlate, 4));
  p.drawLine(QPointF(94, 64), QPointF(130, 64));
  p.setPen(roundPen(kMist, 4));
  p.drawLine(QPointF(94, 76), QPointF(124, 76));
  p.drawLine(QPointF(94, 88), QPointF(112, 88));

  // A gear over the card's corner: settings of the administrator.
  const QPointF hub(144, 110);
  QPainterPath gear = gearPath(hub, 25, 19, 8);
  QPainterPath hole;
  hole.addEllipse(hub, 7.5, 7.5);
  fillWithHalo(p, gear, kAccent, 3);
  p.fillPath(hole, kWhite);
  return image;
}

QImage columnArchive() {
  using namespace palette;
  QImage image = canvas(200, 160);
  Painter p(&image);
  drawBackdrop(p, kAccentTint);

  // A database: three stacked discs.
  const qreal cx = 80, top = 42, rx = 36, ry = 11, layer = 22;
  for (int i = 2; i >= 0; --i) {
    const qreal y = top + i * layer;
    QPainterPath slab;
    slab.moveTo(cx - rx, y);
    slab.lineTo(cx - rx, y + layer);
    slab.arcTo(QRectF(cx - rx, y + layer - ry, 2 * rx, 2 * ry), 180, 180);
    slab.lineTo(cx + rx, y);
    slab.closeSubpath();
    fillWithHalo(p, slab, kAccent, 1.5);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(cx + rx - 11, y + layer * 0.62), 2.2, 2.2);
    p.setBrush(faded(kWhite, 0.55));
    p.drawEllipse(QPointF(cx + rx - 19, y + layer * 0.66), 2.2, 2.2);
  }
  p.setPen(roundPen(kWhite, 3));
  p.setBrush(kAccentSoft);
  p.drawEllipse(QPointF(cx, top), rx, ry);

  // A chart card in front: readings over time.
  const QRectF card(110, 72, 56, 50);
  p.setPen(roundPen(kWhite, 6));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(card, 8, 8);
  p.setPen(roundPen(kSlate, 3));
  p.setBrush(kWhite);
  p.drawRoundedRect(card, 8, 8);
  p.setPen(Qt::NoPen);
  const qreal base = 112;
  const qreal heights[] = {12, 20, 15, 28};
  for (int i = 0; i < 4; ++i) {
    p.setBrush(i == 3 ? kAccent : kAccentSoft);
    p.drawRoundedRect(QRectF(119 + i * 10, base - heights[i], 7, heights[i]), 2, 2);
  }
  return image;
}

QImage separator() {
  QImage image(2, 580, QImage::Format_ARGB32);
  const QColor line(0xD4, 0xDA, 0xE1);
  const int h = image.height();
  const qreal fade = 140;  // length of each fading end
  for (int y = 0; y < h; ++y) {
    const qreal edge = std::min<qreal>(y + 0.5, h - y - 0.5) / fade;
    const qreal t = std::clamp<qreal>(edge, 0, 1);
    const qreal alpha = t * t * (3 - 2 * t);  // smoothstep
    for (int x = 0; x < 2; ++x) image.setPixelColor(x, y, faded(line, alpha));
  }
  return image;
}

}  // namespace imagegen
