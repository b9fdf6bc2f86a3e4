#pragma once

#include <QApplication>

// The application object: an exception that reaches the message loop is shown
// in the standard error box and the program goes on.
class KeldarApplication : public QApplication {
 public:
  KeldarApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // The standard box for an exception; an unknown exception has an empty message.
  static void ShowException(const char* message);
  // Maps the layouts' font onto one the machine has (tests call it too).
  static void UseLayoutFonts();
};
