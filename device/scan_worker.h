#pragma once

#include <variant>

#include "base/platform/worker.h"
#include "device/meter_scan.h"

// What a scan run tells the one who started it, from the run's thread: its
// progress and findings (ScanObserver), then its end.
class ScanRunObserver : public ScanObserver {
 public:
  virtual void Finished(const ScanResult& result) = 0;
};

using ScanRequest = std::variant<PrimaryScanRequest, SecondaryScanRequest>;

// Runs one bus scan on its own thread. Stopping ends it at its next exchange.
class ScanWorker {
 public:
  explicit ScanWorker(ScanRunObserver& observer) : observer_(observer) {}

  // Starts a scan at `speed` on `link`'s port, which the run owns and closes
  // when it ends. Main thread.
  void Start(mbus::Link link, int speed, ScanRequest request);
  // Asks the run to end at its next exchange; returns at once. Main thread.
  void RequestStop() { worker_.RequestStop(); }
  // Ends a run and waits for its thread. Main thread.
  void Stop() { worker_.Stop(); }

 private:
  ScanRunObserver& observer_;
  platform::Worker worker_;
};
