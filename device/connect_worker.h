#pragma once

#include "base/platform/worker.h"
#include "device/identification.h"

class FirmwareCatalogue;

// Runs one connect-and-identify run on its own thread. The observer's calls
// come from that thread: an observer that shows something hands it over to
// the main thread itself. Stopping ends the run at its next bus exchange.
class ConnectWorker {
 public:
  explicit ConnectWorker(IdentifyObserver& observer) : observer_(observer) {}

  // Starts a run on `link`'s port, which the run owns until it ends (it
  // deletes the port unless the device selection was opened). Main thread.
  void Start(mbus::Link link, IdentifyRequest request, IdentifyTexts texts,
             FirmwareCatalogue& catalogue);
  // Ends a run and waits for its thread. Main thread.
  void Stop() { worker_.Stop(); }

 private:
  IdentifyObserver& observer_;
  platform::Worker worker_;
};
