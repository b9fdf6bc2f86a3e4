#pragma once

#include <QFrame>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/meter_scan.h"
#include "device/scan_worker.h"
#include "device/screens/navigation_context.h"

namespace Ui {
class TProgramFindMeters;
}
class QLabel;

// "Find meters": scans the bus on the port chosen on the connection screen,
// by primary address or by secondary address, lists the meters found and
// connects to the one chosen. The scan runs on its own worker; the screen
// stops and joins it before it goes.
class ScanScreen : public QFrame, private ScanRunObserver {
  Q_OBJECT

 public:
  struct Actions {
    std::function<void()> back;
    // Connects to `meter` on `devicePath` at `speed`, the way Connect does.
    std::function<void(const std::string& devicePath, int speed, const FoundMeter& meter)> connect;
  };
  // The port the scan runs on: its path and the name the port list shows.
  struct Port {
    std::string path;
    std::string name;
  };

  ScanScreen(QWidget* owner, NavigationContext context, Port port, std::vector<int> speeds,
             int speed, Actions actions);
  ~ScanScreen() override;

  // The buttons' work, also run by tests.
  void StartClick();
  void StopClick();
  void ConnectClick();

  bool Scanning() const { return scanning_; }
  // The findings shown, one a row of the list.
  const std::vector<FoundMeter>& Meters() const { return meters_; }

 private:
  // The scan's reports, made on its thread and handed to the main thread.
  void Progress(const ScanProgress& progress) override;
  void Found(const FoundMeter& meter) override;
  void Finished(const ScanResult& result) override;
  void PortNotOpened(const PortProblem& problem, const std::string& path) override;

  void RefreshTexts();
  void WireControls();
  void ShowScanning(bool scanning);
  void ShowProgress(const ScanProgress& progress);
  void ShowEnd(const ScanResult& result);
  void AddRow(const FoundMeter& meter);
  // The scan the controls describe; none (after saying why) when they are wrong.
  std::optional<ScanRequest> RequestFromControls();
  int ChosenSpeed() const;
  QString FoundText(int found) const;
  void Tell(const char* key, const char* builtIn);

  std::unique_ptr<Ui::TProgramFindMeters> ui_;
  NavigationContext context_;
  Port port_;
  Actions actions_;
  std::vector<FoundMeter> meters_;
  bool scanning_ = false;
  bool primary_ = true;  // the kind of the scan running or last run
  int scanSpeed_ = 0;    // the speed the listed meters were found at
  ScanWorker worker_{*this};
};
