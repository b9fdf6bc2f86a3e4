// The four screen factories of a fake administration library: plain labels
// that remember the close flag they were given, so tests can set it.
#include <QLabel>

#define FAKE_LIFECYCLE_ELSEWHERE
#include "fake_log.h"
#include "keldar/admin_tools_api.h"

// The build renames the generic factories of fake_exports.cpp; these are the real ones.
#undef _CreateTProgramAdministration
#undef _DeleteTProgramAdministration
#undef _CreateTProgramReadLocalArhiv
#undef _DeleteTProgramReadLocalArhiv

namespace {

void* CreateScreen(const char* what, uint8_t* closeFlag) {
  FakeLog(std::string("create ") + what);
  auto* screen = new QLabel(QString::fromUtf8(what));
  screen->setObjectName(QString::fromUtf8(what));
  screen->setProperty("closeFlag", QVariant::fromValue(static_cast<void*>(closeFlag)));
  return screen;
}

void DeleteScreen(const char* what, void* frame) {
  FakeLog(std::string("delete ") + what);
  delete static_cast<QWidget*>(frame);
}

}  // namespace

extern "C" KELDAR_PLUGIN_EXPORT void* _CreateTProgramAdministration(void*, uint8_t* closeFlag,
                                                                    void*, const void*) {
  return CreateScreen("administration", closeFlag);
}
extern "C" KELDAR_PLUGIN_EXPORT void _DeleteTProgramAdministration(void* frame) {
  DeleteScreen("administration", frame);
}
extern "C" KELDAR_PLUGIN_EXPORT void* _CreateTProgramReadLocalArhiv(void*, uint8_t* closeFlag,
                                                                    void*, const void*) {
  return CreateScreen("archive", closeFlag);
}
extern "C" KELDAR_PLUGIN_EXPORT void _DeleteTProgramReadLocalArhiv(void* frame) {
  DeleteScreen("archive", frame);
}
