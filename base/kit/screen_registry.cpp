#include "base/kit/screen_registry.h"

#include <QApplication>
#include <QThread>
#include <set>

namespace look {
namespace {

// Main thread only, as every call that reaches it.
std::set<QWidget*>& LiveScreens() {
  static std::set<QWidget*> screens;
  return screens;
}

}  // namespace

bool OnGuiThread() {
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  return application != nullptr && QThread::currentThread() == application->thread();
}

void* RegisterScreen(std::unique_ptr<QWidget> screen) {
  QWidget* widget = screen.release();
  LiveScreens().insert(widget);
  QObject::connect(widget, &QObject::destroyed, [widget] { LiveScreens().erase(widget); });
  return static_cast<void*>(widget);
}

QWidget* RegisteredScreen(void* handle) {
  auto* widget = static_cast<QWidget*>(handle);
  return widget != nullptr && LiveScreens().count(widget) != 0 ? widget : nullptr;
}

}  // namespace look
