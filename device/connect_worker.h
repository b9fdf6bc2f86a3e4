#pragma once

#include <functional>

#include "base/platform/worker_thread.h"
#include "device/identification.h"

class FirmwareCatalogue;

// The connect-and-identify run on its own thread ("TreadFrameProgramSetting").
// Every change of the screen goes to the main thread through `observer`,
// whose calls the worker makes synchronised; a stop request makes the run end
// at its next bus exchange.
class TFrameProgramSetting : public WorkerThread {
  Q_OBJECT

 public:
  TFrameProgramSetting(BusLink link, IdentifyRequest request, IdentifyTexts texts,
                       FirmwareCatalogue& catalogue, IdentifyObserver& observer);

  const IdentifyOutcome& Outcome() const { return outcome_; }

 protected:
  void Work() override;

 private:
  BusLink link_;
  IdentifyRequest request_;
  IdentifyTexts texts_;
  FirmwareCatalogue& catalogue_;
  IdentifyObserver& observer_;
  IdentifyOutcome outcome_;
};
