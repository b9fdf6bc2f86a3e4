#include "base/kit/back_strip.h"

#include <QEvent>
#include <QLabel>

#include "base/kit/widget_look.h"

namespace look {
namespace {

// Turns the strip white again when the pointer leaves it.
class LeaveHook : public QObject {
 public:
  LeaveHook(QWidget* strip, std::function<void()> onLeave)
      : QObject(strip), onLeave_(std::move(onLeave)) {
    strip->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Leave) onLeave_();
    return false;
  }

 private:
  std::function<void()> onLeave_;
};

}  // namespace

void MakeBackStrip(QWidget* strip, QLabel* caption, std::function<void()> onBack,
                   QWidget* background) {
  strip->setCursor(Qt::PointingHandCursor);
  const auto light = [strip, caption](bool lit) {
    Paint(strip, lit ? kHover : kWhite);
    SetBold(caption, lit);
  };
  light(false);
  OnHover(strip, [light] { light(true); });
  OnHover(caption, [light] { light(true); });
  if (background != nullptr)
    OnHover(background, [light] { light(false); });
  else
    new LeaveHook(strip, [light] { light(false); });  // owned by the strip
  OnClick(strip, onBack);
  OnClick(caption, std::move(onBack), Keys::kPartOfButton);
}

}  // namespace look
