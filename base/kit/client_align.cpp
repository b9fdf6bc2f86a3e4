#include "base/kit/client_align.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

class ClientAligner : public QObject {
 public:
  ClientAligner(QWidget* child, QWidget* parent) : QObject(child), child_(child) {
    parent->installEventFilter(this);
    child->setGeometry(parent->rect());
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize && child_ && watched == child_->parentWidget())
      child_->setGeometry(child_->parentWidget()->rect());
    return false;
  }

 private:
  QPointer<QWidget> child_;
};

}  // namespace

void AlignToClient(QWidget* child, QWidget* parent) {
  child->setParent(parent);
  new ClientAligner(child, parent);  // owned by the child
}
