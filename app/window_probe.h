#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

// A map of the window for the acceptance tests, off unless asked for: with
// KELDAR_UI_PROBE=FILE in the environment, each SIGUSR1 makes the program
// write every visible widget of every top-level window (object name, class,
// rectangle on the screen, focus, text) to FILE. The file is replaced whole,
// so a reader that waits for it to appear never sees half a map.
class WindowProbe : public QObject {
 public:
  // The probe the environment asks for, or none.
  static std::unique_ptr<WindowProbe> FromEnvironment();
  explicit WindowProbe(QString path);
  ~WindowProbe() override;
  WindowProbe(const WindowProbe&) = delete;
  WindowProbe& operator=(const WindowProbe&) = delete;

  // The map as text: one widget a line, fields separated by tabs.
  static QString Describe();
  bool Write() const;

 private:
  QString path_;
  std::unique_ptr<QSocketNotifier> notifier_;
};
