#include "app/application.h"

#include <exception>

#include "platform/message_box.h"

KeldarApplication::KeldarApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KeldarApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    ShowException("");
  }
  return false;
}

void KeldarApplication::ShowException(const char* message) {
  platform::ShowMessageBox(nullptr, QString::fromUtf8(message), applicationDisplayName(),
                           platform::kMbIconError | platform::kMbTaskModal);
}
