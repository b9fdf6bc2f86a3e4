#include "look/back_strip.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "look/focus_ring.h"

namespace pluginlook {

BackStrip::BackStrip(QWidget* parent) : QFrame(parent) {
  setCursor(Qt::PointingHandCursor);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::TabFocus);
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

void BackStrip::keyPressEvent(QKeyEvent* event) {
  if (IsPressKey(*event)) {
    event->accept();
    emit clicked();
    return;
  }
  QFrame::keyPressEvent(event);
}

void BackStrip::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  update();
}

void BackStrip::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  update();
}

void BackStrip::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (hasFocus()) DrawFocusRing(*this, Qt::black);
}

}  // namespace pluginlook
