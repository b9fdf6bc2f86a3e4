#pragma once

#include <QFrame>

namespace devicescreen {

// The 145-pixel strip on the left that leaves the screen: white, light grey
// with a bold caption while the mouse is over it; a click emits clicked().
class BackStrip : public QFrame {
  Q_OBJECT

 public:
  explicit BackStrip(QWidget* parent = nullptr);
  bool Highlighted() const { return highlighted_; }

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetHighlighted(bool highlighted);

  bool highlighted_ = false;
  bool pressed_ = false;
};

}  // namespace devicescreen
