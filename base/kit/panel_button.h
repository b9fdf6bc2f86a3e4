#pragma once

#include <QLabel>

namespace look {

// A button drawn as a black panel with white text and the hand cursor, as the
// plug-ins' screens show them. Emits clicked() on a left click, and on Enter
// or Space once Tab has reached it (a focus ring shows the focus). A disabled
// panel is grey, shows the arrow and cannot be pressed.
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
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace look
