#pragma once

#include <QPointer>
#include <cstdint>
#include <memory>

#include "base/platform/worker_thread.h"
#include "device/identification.h"
#include "device/screens/navigation_context.h"

class TFrameProgramSetting;
class TProgramSelectDevice;
struct KeldarBusPort;

// Owns the hosted screens (device selection, administration, archive) and the
// meter's port while a meter is worked with. Its thread polls CloseRequest
// every 200 ms and brings the user back home on the main thread.
class CTreadMainForm : public WorkerThread, private IdentifyObserver {
  Q_OBJECT

 public:
  enum ScreenKind { kSelectDevice = 0, kAdministration = 1, kArchive = 2 };

  explicit CTreadMainForm(NavigationContext context);
  // Stops and joins the thread, then closes every hosted screen. Main thread.
  ~CTreadMainForm() override;

  // Opens a hosted screen; 1 when one was opened, 0 otherwise. Main thread.
  int OpenScreen(int kind);
  // Starts a connection on `devicePath`; main thread.
  void StartConnection(const char* devicePath, int speed, int address);
  // Closes every open hosted screen and shows the home screen. Main thread.
  void CloseScreens();

  // The flag hosted screens set (with keldar_flag_set) to be left.
  uint8_t* CloseRequest() { return &closeRequest_; }
  uint8_t CloseRequested() const;
  KeldarBusPort* PortObject() const { return portObject_; }
  QWidget* AdministrationScreen() const { return administration_; }
  QWidget* ArchiveScreen() const { return archive_; }
  TProgramSelectDevice* SelectDeviceScreen() const { return selectDevice_; }
  // True while a connect-and-identify run is going on.
  bool Connecting() const;

 protected:
  void Work() override;

 private:
  void ShowMissingComponent() const;
  void ShowHome() const;
  void StopConnecting();

  // The connect worker's reports, run on the main thread.
  void ShowProgress(int progress, const std::string& status) override;
  bool OpenSelection() override;
  void DeviceInformationNotFound() override;
  void Finish(bool selectionOpened) override;

  NavigationContext context_;
  uint8_t closeRequest_ = 0;
  QWidget* administration_ = nullptr;
  QWidget* archive_ = nullptr;
  TProgramSelectDevice* selectDevice_ = nullptr;
  KeldarBusPort* portObject_ = nullptr;
  std::unique_ptr<TFrameProgramSetting> connectWorker_;
};
