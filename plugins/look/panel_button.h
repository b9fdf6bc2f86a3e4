#pragma once

#include <QLabel>

namespace pluginlook {

// A button drawn as a black panel with white text and the hand cursor, as
// every screen of the program shows them. Emits clicked() on a left click, and
// on Enter or Space once Tab has reached it (a dotted ring shows the focus).
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
  void paintEvent(QPaintEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace pluginlook
