// The two screens as the shell creates and destroys them. Each is a QWidget
// handed over as void*; only screens this library made are ever deleted.
#include <QApplication>
#include <QPointer>
#include <QThread>
#include <memory>
#include <set>

#include "keldar/admin_tools_api.h"
#include "keldar/phrases_api.h"
#include "screens/administration_screen.h"
#include "screens/archive_screen.h"

namespace {

using admintools::ScreenTexts;

// The screens alive now (main thread only).
std::set<QWidget*>& LiveScreens() {
  static std::set<QWidget*> screens;
  return screens;
}

bool OnGuiThread() {
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  return application != nullptr && QThread::currentThread() == application->thread();
}

// `owner` is always NULL from the shell, which parents the screen itself.
template <typename Screen>
void* CreateScreen(uint8_t* closeFlag, void* phrases, const void* language) {
  if (!OnGuiThread()) return nullptr;
  try {
    auto screen = std::make_unique<Screen>(
        closeFlag, ScreenTexts(static_cast<const KeldarLanguageLibrary*>(language), phrases));
    QWidget* widget = screen.get();
    LiveScreens().insert(widget);
    // A screen destroyed with its parent window is forgotten too.
    QObject::connect(widget, &QObject::destroyed, [widget] { LiveScreens().erase(widget); });
    return static_cast<void*>(static_cast<QWidget*>(screen.release()));
  } catch (...) {
    return nullptr;
  }
}

template <typename Screen>
void DeleteScreen(void* frame) {
  auto* widget = static_cast<QWidget*>(frame);
  if (widget == nullptr || LiveScreens().count(widget) == 0) return;
  if (qobject_cast<Screen*>(widget) == nullptr) return;
  try {
    delete widget;
  } catch (...) {
  }
}

}  // namespace

extern "C" {

KELDAR_PLUGIN_EXPORT void* _CreateTProgramAdministration(void* /*owner*/, uint8_t* close_flag,
                                                         void* phrases,
                                                         const void* language_library) {
  return CreateScreen<admintools::AdministrationScreen>(close_flag, phrases, language_library);
}

KELDAR_PLUGIN_EXPORT void _DeleteTProgramAdministration(void* frame) {
  DeleteScreen<admintools::AdministrationScreen>(frame);
}

KELDAR_PLUGIN_EXPORT void* _CreateTProgramReadLocalArhiv(void* /*owner*/, uint8_t* close_flag,
                                                         void* phrases,
                                                         const void* language_library) {
  return CreateScreen<admintools::ArchiveScreen>(close_flag, phrases, language_library);
}

KELDAR_PLUGIN_EXPORT void _DeleteTProgramReadLocalArhiv(void* frame) {
  DeleteScreen<admintools::ArchiveScreen>(frame);
}

}  // extern "C"

// The exports keep the interface's own types.
static_assert(std::is_same_v<decltype(&_CreateTProgramAdministration), KeldarCreateAdminScreenFn>);
static_assert(std::is_same_v<decltype(&_DeleteTProgramAdministration), KeldarDeleteAdminScreenFn>);
static_assert(std::is_same_v<decltype(&_CreateTProgramReadLocalArhiv), KeldarCreateAdminScreenFn>);
static_assert(std::is_same_v<decltype(&_DeleteTProgramReadLocalArhiv), KeldarDeleteAdminScreenFn>);
