#pragma once

#include <QObject>
#include <array>
#include <cstdint>

#include "base/platform/close_flag_watch.h"
#include "device/screens/navigation_context.h"

class QWidget;
struct KeldarBusPort;

// Opens the work screen of an identified device and closes it again when the
// screen sets the close flag (a main-thread timer watches it).
class DeviceScreenHost : public QObject {
  Q_OBJECT

 public:
  DeviceScreenHost(NavigationContext context, KeldarBusPort* port, uint8_t* closeFlag);
  // Closes any open work screen. Main thread.
  ~DeviceScreenHost() override;

  // Opens the device at `index` (1-based) of the identified-device list. Main thread.
  void OpenDevice(int index);
  // Closes every open work screen; keeps the selection open unless exactly one
  // device was identified. Main thread.
  void CloseDeviceScreens();

  QWidget* PluginFrame(std::size_t plugin) const { return frames_.at(plugin); }
  bool AnyScreenOpen() const;
  QWidget* ConfigurationScreen() const { return configuration_; }

 private:
  bool ReachMeter(const struct KeldarDeviceRecord& record);
  void ShowMissingComponent(bool busMissing) const;
  void Host(QWidget* screen, const char* name);

  NavigationContext context_;
  KeldarBusPort* port_;
  uint8_t* closeFlag_;
  std::array<QWidget*, 5> frames_{};
  QWidget* configuration_ = nullptr;
  platform::CloseFlagWatch closeWatch_;
};
