#include "base/kit/focus_ring.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

namespace look {

FocusRing::FocusRing(QWidget* button, std::optional<QColor> colour)
    : QWidget(button), colour_(colour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setObjectName(QStringLiteral("FocusRing"));
  hide();
  button->installEventFilter(this);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent()) {
    switch (event->type()) {
      case QEvent::FocusIn:
      case QEvent::FocusOut:
      case QEvent::Resize:
        Follow();
        break;
      default:
        break;
    }
  }
  return false;
}

void FocusRing::Follow() {
  const bool focused = parentWidget()->hasFocus();
  setGeometry(parentWidget()->rect());
  setVisible(focused);
  if (focused) raise();
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QPen pen(colour_.value_or(parentWidget()->palette().color(QPalette::WindowText)));
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

bool IsPressKey(const QKeyEvent& key) {
  return !key.isAutoRepeat() &&
         (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
}

}  // namespace look
