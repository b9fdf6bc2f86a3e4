#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/platform/close_flag_watch.h"
#include "device/connect_worker.h"
#include "device/identification.h"
#include "device/screens/navigation_context.h"
#include "device/serial_ports.h"

class ScanScreen;
class SelectDeviceScreen;
struct FoundMeter;
struct KeldarBusPort;

// Owns the hosted screens (device selection, administration, archive) and the
// meter's port while a meter is worked with, and runs the connect worker.
// Lives on the main thread; a timer there watches CloseRequest, which the
// hosted screens set, and brings the user back home.
class NavigationHost : public QObject, private ConnectObserver {
  Q_OBJECT

 public:
  enum ScreenKind { kSelectDevice = 0, kAdministration = 1, kArchive = 2 };

  explicit NavigationHost(NavigationContext context);
  // Stops and joins the connect worker, then closes every hosted screen.
  ~NavigationHost() override;

  // Opens a hosted screen; 1 when one was opened, 0 otherwise. Main thread.
  int OpenScreen(int kind);
  // Starts a connection on `devicePath` to the meter at `address`, or to the
  // one `selection` reaches when given; main thread.
  void StartConnection(const char* devicePath, int speed, int address,
                       std::optional<mbus::Selection> selection = std::nullopt);
  // Closes every open hosted screen and shows the home screen. Main thread.
  void CloseScreens();
  // Opens the meter search on `port` in place of the home screen. Main thread.
  void OpenFindMeters(const SerialPortEntry& port, std::vector<int> speeds, int speed);
  ScanScreen* FindMetersScreen() const { return findMeters_.get(); }

  // The flag hosted screens set (with keldar_flag_set) to be left.
  uint8_t* CloseRequest() { return &closeRequest_; }
  uint8_t CloseRequested() const;
  KeldarBusPort* PortObject() const { return portObject_; }
  QWidget* AdministrationScreen() const { return administration_; }
  QWidget* ArchiveScreen() const { return archive_; }
  SelectDeviceScreen* SelectionScreen() const { return selectDevice_; }
  // True while a connect-and-identify run is going on.
  bool Connecting() const;

 private:
  void ShowMissingComponent() const;
  void ShowHome() const;
  void StopConnecting();
  // Leaves the meter search (its scan stopped and its port closed) for home.
  void CloseFindMeters();
  void ConnectToFound(const std::string& devicePath, int speed, const FoundMeter& meter);
  // After a run: the catalogue or config.ini it could not use.
  void ReportFileProblems();

  // The connect worker's reports, made on its thread and handed to the main thread.
  void ShowProgress(int progress, const std::string& status) override;
  bool OpenSelection() override;
  void DeviceInformationNotFound() override;
  void NothingFound(const IdentifyExplanation& explanation) override;
  void Finish(bool selectionOpened) override;
  void PortNotOpened(const PortProblem& problem, const std::string& path) override;

  NavigationContext context_;
  uint8_t closeRequest_ = 0;
  QWidget* administration_ = nullptr;
  QWidget* archive_ = nullptr;
  SelectDeviceScreen* selectDevice_ = nullptr;
  std::unique_ptr<ScanScreen> findMeters_;
  KeldarBusPort* portObject_ = nullptr;
  platform::CloseFlagWatch closeWatch_;
  bool connecting_ = false;
  std::atomic<bool> selectionPromised_{false};  // set by the connect worker
  ConnectWorker connectWorker_;
};
