#pragma once

#include <string>
#include <variant>

#include "base/platform/worker.h"
#include "device/meter_scan.h"
#include "device/port_problem.h"

// What a scan run tells the one who started it, from the run's thread: its
// progress and findings (ScanObserver), then its end; or only that its port
// did not open.
class ScanRunObserver : public ScanObserver {
 public:
  virtual void Finished(const ScanResult& result) = 0;
  // `path` did not open for the reason `problem` explains: nothing was sent
  // and the run has ended (no Finished follows).
  virtual void PortNotOpened(const PortProblem& problem, const std::string& path) = 0;
};

using ScanRequest = std::variant<PrimaryScanRequest, SecondaryScanRequest>;

// Runs one bus scan on its own thread, opening of the port included (a network
// gateway may take seconds to answer, or never answer). Stopping ends it at its
// next exchange.
class ScanWorker {
 public:
  explicit ScanWorker(ScanRunObserver& observer) : observer_(observer) {}

  // Opens `path` and scans at `speed` on it; the run closes the port when it
  // ends. Main thread.
  void Start(const KeldarBusProtocolLibrary* lib, std::string path, int speed, ScanRequest request);
  // Asks the run to end at its next exchange; returns at once. Main thread.
  void RequestStop() { worker_.RequestStop(); }
  // Ends a run and waits for its thread. Main thread.
  void Stop() { worker_.Stop(); }

 private:
  ScanRunObserver& observer_;
  platform::Worker worker_;
};
