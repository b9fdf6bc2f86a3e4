#include "screen/panel_button.h"

#include <QEvent>
#include <QMouseEvent>

namespace devicescreen {

PanelButton::PanelButton(QWidget* parent) : QLabel(parent) {
  setAttribute(Qt::WA_Hover);
  setAlignment(Qt::AlignCenter);
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setStyleSheet(QStringLiteral(
      "devicescreen--PanelButton { background: #000000; color: #ffffff; padding: 0px 16px; }"
      "devicescreen--PanelButton:hover { background: #3c3c3c; }"
      "devicescreen--PanelButton:disabled { background: #bdbdbd; color: #f4f4f4; }"));
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

// A disabled panel cannot be pressed, so it shows the arrow.
void PanelButton::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::EnabledChange)
    setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

}  // namespace devicescreen
