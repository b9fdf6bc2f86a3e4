#pragma once

#include <atomic>
#include <string>

#include "base/platform/worker.h"
#include "device/identification.h"
#include "device/port_problem.h"

class FirmwareCatalogue;
struct KeldarBusProtocolLibrary;
struct KeldarBusPort;

// What a connect run tells the one who started it, from the run's thread:
// the identification's reports, or that its port did not open.
class ConnectObserver : public IdentifyObserver {
 public:
  // `path` did not open for the reason `problem` explains: nothing was sent
  // and the run has ended (no Finish follows).
  virtual void PortNotOpened(const PortProblem& problem, const std::string& path) = 0;
};

// Runs one connect-and-identify run on its own thread, opening of the port
// included: a network gateway may take seconds to answer, or never answer,
// and the window stays responsive meanwhile. The observer's calls come from
// the run's thread: an observer that shows something hands it over to the
// main thread itself. Stopping ends the run at its next bus exchange.
class ConnectWorker {
 public:
  explicit ConnectWorker(ConnectObserver& observer) : observer_(observer) {}

  // Opens `request`'s port and identifies on it. The run owns the port until
  // it ends (it deletes the port unless the device selection was opened).
  // Main thread.
  void Start(const KeldarBusProtocolLibrary* lib, IdentifyRequest request, IdentifyTexts texts,
             FirmwareCatalogue& catalogue);
  // Ends a run and waits for its thread. Main thread.
  void Stop() { worker_.Stop(); }
  // The port the last run opened; null until it opened, or when it did not.
  // Set before the run reports anything, so its handed-over reports and a
  // stopped run see it. Main thread.
  KeldarBusPort* Port() const { return port_.load(); }

 private:
  ConnectObserver& observer_;
  std::atomic<KeldarBusPort*> port_{nullptr};
  platform::Worker worker_;
};
