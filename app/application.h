#pragma once

#include <QApplication>
#include <QLocale>
#include <QTranslator>

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
  // Loads Qt's own texts (the message boxes' buttons) in the language of
  // `locale`, the system's at start-up, as the desktop shows them; false when
  // none are installed for it.
  static bool UseQtTexts(QTranslator& translator, const QLocale& locale);

 private:
  QTranslator qtTexts_;
};
