#include "device/connect_worker.h"

#include "base/core/ini_file.h"
#include "device/configurator.h"

TFrameProgramSetting::TFrameProgramSetting(BusLink link, IdentifyRequest request,
                                           IdentifyTexts texts, FirmwareCatalogue& catalogue,
                                           IdentifyObserver& observer)
    : link_(std::move(link)),
      request_(std::move(request)),
      texts_(std::move(texts)),
      catalogue_(catalogue),
      observer_(observer) {
  setObjectName(QStringLiteral("TreadFrameProgramSetting"));
  link_.stopRequested = [this] { return isInterruptionRequested(); };
}

void TFrameProgramSetting::Work() {
  Identification identification(link_, Configurator(), catalogue_, Settings(), texts_, observer_);
  outcome_ = identification.Run(request_);
}
