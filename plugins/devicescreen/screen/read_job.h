#pragma once

#include <QObject>
#include <functional>

#include "base/platform/worker.h"
#include "core/meter_reader.h"

namespace devicescreen {

// One meter read on its own thread. The outcome is handed to the receiver's
// (main) thread by a queued call that Qt drops when the receiver is gone.
// Destroying the job stops the read and waits for its thread.
class ReadJob {
 public:
  using Done = std::function<void(ReadOutcome)>;

  // Main thread. A previous read must have delivered its outcome.
  void Start(QObject* receiver, BusPort bus, std::uint8_t address, Done done);
  // Asks the read to end after its current bus exchange and waits for it.
  void Stop() { worker_.Stop(); }

 private:
  platform::Worker worker_;
};

}  // namespace devicescreen
