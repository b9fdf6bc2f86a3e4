#include "device/connect_worker.h"

#include "base/core/ini_file.h"
#include "base/platform/threads.h"
#include "device/device_list.h"

void ConnectWorker::Start(mbus::Link link, IdentifyRequest request, IdentifyTexts texts,
                          FirmwareCatalogue& catalogue) {
  worker_.Start(platform::thread_name::kConnect,
                [this, &catalogue, link = std::move(link), request = std::move(request),
                 texts = std::move(texts)](std::stop_token stop) mutable {
                  link.stopRequested = [stop] { return stop.stop_requested(); };
                  Identification identification(link, IdentifiedDevices(), catalogue, Settings(),
                                                std::move(texts), observer_);
                  identification.Run(request);
                });
}
