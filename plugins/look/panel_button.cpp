#include "look/panel_button.h"

#include <QEvent>
#include <QMouseEvent>

namespace pluginlook {

PanelButton::PanelButton(QWidget* parent) : QLabel(parent) {
  setAttribute(Qt::WA_Hover);
  setAlignment(Qt::AlignCenter);
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
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

// A disabled panel shows the arrow: it cannot be pressed.
void PanelButton::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }
}

}  // namespace pluginlook
