#include "base/kit/panel_button.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "base/kit/colours.h"
#include "base/kit/focus_ring.h"

namespace look {

PanelButton::PanelButton(QWidget* parent) : QLabel(parent) {
  setAttribute(Qt::WA_Hover);
  setAlignment(Qt::AlignCenter);
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  setMinimumHeight(30);
  setStyleSheet(QStringLiteral("look--PanelButton { background: %1; color: %2; padding: 0px 14px; }"
                               "look--PanelButton:hover { background: %3; }"
                               "look--PanelButton:disabled { background: %4; color: %5; }")
                    .arg(kBlack.name(), kWhite.name(), kPanelHover.name(), kPanelDisabled.name(),
                         kPanelDisabledText.name()));
  new FocusRing(this, kWhite);  // owned by the button
}

// A press and its release over the button make one click; neither goes on to
// the parent.
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

void PanelButton::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::EnabledChange)
    setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

}  // namespace look
