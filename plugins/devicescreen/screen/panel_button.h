#pragma once

#include <QLabel>

namespace devicescreen {

// A button drawn the program's way: a black panel with white text and the
// hand cursor. Emits clicked() on a left click while enabled.
class PanelButton : public QLabel {
  Q_OBJECT

 public:
  explicit PanelButton(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace devicescreen
