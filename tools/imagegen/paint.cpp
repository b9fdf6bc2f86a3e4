#include "paint.h"

#include <QFontInfo>
#include <QtMath>
#include <cstdio>

namespace imagegen {

QImage canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

Painter::Painter(QImage* image) : QPainter(image) {
  setRenderHint(QPainter::Antialiasing);
  setRenderHint(QPainter::SmoothPixmapTransform);
}

QPen roundPen(const QColor& color, qreal width) {
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QColor faded(QColor color, qreal opacity) {
  color.setAlphaF(color.alphaF() * opacity);
  return color;
}

QPainterPath gearPath(QPointF centre, qreal outerRadius, qreal innerRadius, int teeth) {
  const qreal step = 2 * M_PI / teeth;
  // A tooth is a little narrower at its top than at its root, like a real cog.
  const qreal rootHalf = step * 0.25;
  const qreal topHalf = step * 0.17;
  auto at = [&](qreal radius, qreal angle) {
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
  };
  QPainterPath path;
  for (int i = 0; i < teeth; ++i) {
    const qreal a = i * step - M_PI / 2;
    if (i == 0) {
      path.moveTo(at(innerRadius, a - rootHalf));
    } else {
      path.lineTo(at(innerRadius, a - rootHalf));
    }
    path.lineTo(at(outerRadius, a - topHalf));
    path.lineTo(at(outerRadius, a + topHalf));
    path.lineTo(at(innerRadius, a + rootHalf));
    // The valley follows the root circle.
    constexpr int kValleyPoints = 4;
    for (int k = 1; k < kValleyPoints; ++k) {
      const qreal v = a + rootHalf + (step - 2 * rootHalf) * k / kValleyPoints;
      path.lineTo(at(innerRadius, v));
    }
  }
  path.closeSubpath();
  return path;
}

QPainterPath dropPath(QPointF centre, qreal radius, qreal tipY) {
  // The sides are tangents from the tip to the body circle, bowed out a little.
  const qreal distance = centre.y() - tipY;
  const qreal spread = std::acos(radius / distance);  // angle at the centre, from straight up
  const QPointF tip(centre.x(), tipY);
  const QPointF right = centre + QPointF(radius * std::sin(spread), -radius * std::cos(spread));
  const QPointF left = centre + QPointF(-radius * std::sin(spread), -radius * std::cos(spread));
  const qreal bow = 0.35;
  QPainterPath path(tip);
  path.cubicTo(tip + (right - tip) * 0.3 + QPointF(bow * radius * 0.25, 0),
               right + (tip - right) * bow, right);
  const QRectF body(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  const qreal startDeg = 90 - qRadiansToDegrees(spread);
  path.arcTo(body, startDeg, -(360 - 2 * qRadiansToDegrees(spread)));
  path.cubicTo(left + (tip - left) * bow,
               tip + (left - tip) * 0.3 - QPointF(bow * radius * 0.25, 0), tip);
  path.closeSubpath();
  return path;
}

QPainterPath textPath(const QString& text, const QFont& font) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  path.translate(-(box.left() + box.width() / 2), 0);
  return path;
}

QFont uiFont(int pixelSize, bool bold, qreal letterSpacing) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(true);
  if (letterSpacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
  static bool warned = false;
  if (!warned && QFontInfo(font).family() != font.family()) {
    std::fprintf(stderr, "imagegen: DejaVu Sans is missing, the wordmarks will differ\n");
    warned = true;
  }
  return font;
}

}  // namespace imagegen
