#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

class QKeyEvent;

namespace look {

// A dotted frame just inside a button while it has the keyboard focus. It
// follows the button's focus and size by itself. Drawn in `colour`, or else in
// the button's text colour, so it shows on black and on white panels alike.
class FocusRing : public QWidget {
 public:
  explicit FocusRing(QWidget* button, std::optional<QColor> colour = std::nullopt);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Follow();

  std::optional<QColor> colour_;
};

// Enter and Space press a button; a held key does not press it again.
bool IsPressKey(const QKeyEvent& key);

}  // namespace look
