#pragma once

#include <QColor>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace pluginlook {

// The dotted frame just inside a control that has the keyboard focus.
inline void DrawFocusRing(QWidget& widget, const QColor& colour) {
  QPainter painter(&widget);
  QPen pen(colour);
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(widget.rect().adjusted(2, 2, -3, -3));
}

// Enter and Space press a button; a held key does not press it again.
inline bool IsPressKey(const QKeyEvent& key) {
  return !key.isAutoRepeat() && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter ||
                                 key.key() == Qt::Key_Space);
}

}  // namespace pluginlook
