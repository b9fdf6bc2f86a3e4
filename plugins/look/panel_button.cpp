#include "look/panel_button.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "look/focus_ring.h"

namespace pluginlook {

PanelButton::PanelButton(QWidget* parent) : QLabel(parent) {
  setAttribute(Qt::WA_Hover);
  setAlignment(Qt::AlignCenter);
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  setMinimumHeight(30);
  setStyleSheet(QStringLiteral(
      "pluginlook--PanelButton { background: #000000; color: #ffffff; padding: 0px 14px; }"
      "pluginlook--PanelButton:hover { background: #3c3c3c; }"
      "pluginlook--PanelButton:disabled { background: #bdbdbd; color: #f4f4f4; }"));
}

void PanelButton::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click && isEnabled()) emit clicked();
}

void PanelButton::keyPressEvent(QKeyEvent* event) {
  if (IsPressKey(*event)) {
    event->accept();
    if (isEnabled()) emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

void PanelButton::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (hasFocus()) DrawFocusRing(*this, Qt::white);
}

// A disabled panel shows the arrow: it cannot be pressed.
void PanelButton::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }
}

}  // namespace pluginlook
