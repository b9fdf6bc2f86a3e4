#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QString>

namespace imagegen {

// One palette for every picture: a deep teal accent, slate for lines and text.
namespace palette {
inline const QColor kAccent{0x0B, 0x6E, 0x69};      // deep teal
inline const QColor kAccentSoft{0x5F, 0xB8, 0xAE};  // lighter teal for secondary fills
inline const QColor kAccentTint{0xE3, 0xF2, 0xF0};  // backdrop behind illustrations
inline const QColor kLegacy{0x5B, 0x3F, 0xB0};      // the older edition's violet
inline const QColor kLegacyTint{0xEC, 0xE8, 0xF8};
inline const QColor kSlate{0x33, 0x41, 0x55};  // line icons, outlines
inline const QColor kInk{0x1E, 0x29, 0x3B};    // wordmarks
inline const QColor kMist{0xCB, 0xD5, 0xE1};   // faint details
inline const QColor kWhite{0xFF, 0xFF, 0xFF};
}  // namespace palette

// A transparent canvas of the given size.
QImage canvas(int width, int height);

// A painter with antialiasing, the way every picture is drawn.
class Painter : public QPainter {
 public:
  explicit Painter(QImage* image);
};

// Round caps and joins: the line style of every icon.
QPen roundPen(const QColor& color, qreal width);

// A colour with its alpha scaled by `opacity` (0..1).
QColor faded(QColor color, qreal opacity);

// A cog outline centred on `centre`; teeth are trapezoids, valleys are arcs.
QPainterPath gearPath(QPointF centre, qreal outerRadius, qreal innerRadius, int teeth);

// A water drop: round body of `radius` around `centre`, point at `tipY`.
QPainterPath dropPath(QPointF centre, qreal radius, qreal tipY);

// `text` as an outline, horizontally centred on x = 0 with its baseline at y = 0.
QPainterPath textPath(const QString& text, const QFont& font);

// DejaVu Sans at a pixel size; bold when asked.
QFont uiFont(int pixelSize, bool bold, qreal letterSpacing = 0);

}  // namespace imagegen
