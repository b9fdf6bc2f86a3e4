#include "base/kit/back_strip.h"

#include <QLabel>

#include "base/kit/widget_look.h"

void MakeBackStrip(QWidget* strip, QLabel* label, QWidget* background,
                   std::function<void()> onBack) {
  look::Paint(strip, look::kWhite);
  strip->setCursor(Qt::PointingHandCursor);
  const auto hover = [strip, label] {
    look::Paint(strip, look::kHover);
    look::SetBold(label, true);
  };
  look::OnHover(strip, hover);
  look::OnHover(label, hover);
  look::OnHover(background, [strip, label] {
    look::Paint(strip, look::kWhite);
    look::SetBold(label, false);
  });
  look::OnClick(strip, onBack);
  look::OnClick(label, onBack, look::Keys::kPartOfButton);
}
