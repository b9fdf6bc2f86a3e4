#include "look/back_strip.h"

#include <QLabel>
#include <QMouseEvent>

namespace pluginlook {

BackStrip::BackStrip(QWidget* parent) : QFrame(parent) {
  setCursor(Qt::PointingHandCursor);
  setAutoFillBackground(true);
  SetHighlighted(false);
}

void BackStrip::SetHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  QPalette colours = palette();
  colours.setColor(QPalette::Window, highlighted ? QColor(240, 240, 240) : QColor(Qt::white));
  setPalette(colours);
  for (auto* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    QFont font = label->font();
    font.setBold(highlighted);
    label->setFont(font);
  }
}

void BackStrip::enterEvent(QEnterEvent* event) {
  SetHighlighted(true);
  QFrame::enterEvent(event);
}

void BackStrip::leaveEvent(QEvent* event) {
  SetHighlighted(false);
  QFrame::leaveEvent(event);
}

// The caption lets mouse presses through to the strip, so both count as the strip.
void BackStrip::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void BackStrip::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace pluginlook
