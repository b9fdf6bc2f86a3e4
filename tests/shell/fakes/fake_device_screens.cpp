// The frame factory of a fake device plug-in: a label that keeps what the
// shell handed over, so tests can check it and set the close flag.
#include <QLabel>

#define FAKE_LIFECYCLE_ELSEWHERE
#include "fake_log.h"
#include "keldar/device_plugin_api.h"

// The build renames the generic exports of fake_exports.cpp; these are the real ones.
#undef _CreateTMainFrame
#undef _DeleteTMainFrame

extern "C" KELDAR_PLUGIN_EXPORT void* _CreateTMainFrame(
    void* owner, void* port, const KeldarBusProtocolLibrary* bus, void* catalogue, void* phrases,
    const KeldarLanguageLibrary* language, const KeldarAdminToolsLibrary* admin,
    KeldarDeviceRecord* device, uint8_t* closeFlag) {
  FakeLog(std::string("create frame for ") + device->manufacturer + " type " +
          std::to_string(device->device_type));
  auto* frame = new QLabel(QString::fromUtf8(FAKE_NAME));
  frame->setProperty("closeFlag", QVariant::fromValue(static_cast<void*>(closeFlag)));
  frame->setProperty("device", QVariant::fromValue(static_cast<void*>(device)));
  frame->setProperty("bus", QVariant::fromValue(const_cast<void*>(static_cast<const void*>(bus))));
  frame->setProperty("port", QVariant::fromValue(port));
  frame->setProperty("owner", QVariant::fromValue(owner));
  (void)catalogue;
  (void)phrases;
  (void)language;
  (void)admin;
  return frame;
}

extern "C" KELDAR_PLUGIN_EXPORT void _DeleteTMainFrame(void* frame) {
  FakeLog("delete frame");
  delete static_cast<QWidget*>(frame);
}
