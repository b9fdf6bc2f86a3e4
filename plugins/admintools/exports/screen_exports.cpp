// The two screens as the shell creates and destroys them. Each is a QWidget
// handed over as void*; only screens this library made are ever deleted.
#include <memory>

#include "base/kit/screen_registry.h"
#include "keldar/admin_tools_api.h"
#include "keldar/phrases_api.h"
#include "screens/administration_screen.h"
#include "screens/archive_screen.h"

namespace {

using admintools::ScreenTexts;

// `owner` is always NULL from the shell, which parents the screen itself.
template <typename Screen>
void* CreateScreen(uint8_t* closeFlag, void* phrases, const void* language) {
  if (!look::OnGuiThread()) return nullptr;
  try {
    return look::RegisterScreen(std::make_unique<Screen>(
        closeFlag, ScreenTexts(static_cast<const KeldarLanguageLibrary*>(language), phrases)));
  } catch (...) {
    return nullptr;
  }
}

template <typename Screen>
void DeleteScreen(void* frame) {
  QWidget* widget = look::RegisteredScreen(frame);
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
