#pragma once

#include <QFrame>

namespace pluginlook {

// The strip on the left of a screen that leads back: RGB 240, 240, 240 with a
// bold caption while the mouse is over it, white otherwise; a click on it or
// on its caption emits clicked(). The caption is the strip's direct child label
// (it lets mouse presses through to the strip). It is reached with Tab and
// pressed with Enter or Space (the program's window turns Escape into Space on
// the strip of the screen on top).
class BackStrip : public QFrame {
  Q_OBJECT

 public:
  explicit BackStrip(QWidget* parent = nullptr);
  bool IsHighlighted() const { return highlighted_; }

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetHighlighted(bool highlighted);

  bool highlighted_ = false;
  bool pressed_ = false;
};

}  // namespace pluginlook
