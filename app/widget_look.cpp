#include "app/widget_look.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace look {
namespace {

class EventHook : public QObject {
 public:
  EventHook(QWidget* widget, std::function<bool(QEvent*)> handler)
      : QObject(widget), handler_(std::move(handler)) {
    widget->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    handler_(event);
    return false;
  }

 private:
  std::function<bool(QEvent*)> handler_;
};

}  // namespace

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

void OnClick(QWidget* widget, std::function<void()> action) {
  new EventHook(widget, [widget, action = std::move(action)](QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint()))
      action();
    return false;
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
