#include "base/kit/widget_look.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include "base/kit/focus_ring.h"

namespace look {
namespace {

class EventHook : public QObject {
 public:
  EventHook(QWidget* widget, std::function<bool(QEvent*)> handler)
      : QObject(widget), handler_(std::move(handler)) {
    widget->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override { return handler_(event); }

 private:
  std::function<bool(QEvent*)> handler_;
};

}  // namespace

std::string ShownText(const QLineEdit* edit) {
  QString text = edit->displayText();
  const QString mask = edit->inputMask();
  // The blank character follows the mask's last ';' ("999;_").
  const auto separator = mask.lastIndexOf(QLatin1Char(';'));
  if (separator >= 0 && separator + 1 < mask.size())
    text.replace(mask.at(separator + 1), QLatin1Char(' '));
  return text.toStdString();
}

void Paint(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void PaintText(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  widget->setPalette(palette);
}

void SetBold(QWidget* widget, bool bold) {
  QFont font = widget->font();
  if (font.bold() == bold) return;
  font.setBold(bold);
  widget->setFont(font);
}

void OnClick(QWidget* widget, std::function<void()> action, Keys keys) {
  const bool button = keys == Keys::kButton;
  if (button) {
    widget->setFocusPolicy(Qt::TabFocus);
    new FocusRing(widget);  // owned by the widget
  }
  new EventHook(widget, [widget, button, action = std::move(action)](QEvent* event) {
    switch (event->type()) {
      case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton ||
            !widget->rect().contains(mouse->position().toPoint()))
          return false;
        action();
        return true;  // handled: a parent with a click of its own must not act as well
      }
      case QEvent::KeyPress:
        if (!button || !IsPressKey(*static_cast<QKeyEvent*>(event))) return false;
        action();
        return true;
      default:
        return false;
    }
  });
}

void OnEnter(QWidget* widget, std::function<void()> action) {
  new EventHook(widget, [action = std::move(action)](QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    action();
    return true;
  });
}

void OnHover(QWidget* widget, std::function<void()> action) {
  widget->setMouseTracking(true);
  new EventHook(widget, [action = std::move(action)](QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) action();
    return false;
  });
}

}  // namespace look
