#include "device/connect_worker.h"

#include "base/core/ini_file.h"
#include "base/platform/threads.h"
#include "device/device_list.h"
#include "device/gateway_list.h"
#include "device/port_opening.h"

namespace {
// Identification starts at the lowest speed and searches upwards.
constexpr int kOpeningSpeed = 300;
}  // namespace

void ConnectWorker::Start(const KeldarBusProtocolLibrary* lib, IdentifyRequest request,
                          IdentifyTexts texts, FirmwareCatalogue& catalogue) {
  worker_.Stop();
  port_.store(nullptr);
  worker_.Start(platform::thread_name::kConnect,
                [this, lib, &catalogue, request = std::move(request),
                 texts = std::move(texts)](std::stop_token stop) mutable {
                  const OpenedPort opened = OpenMeterPort(lib, request.devicePath, kOpeningSpeed);
                  if (opened.problem != nullptr) {
                    observer_.PortNotOpened(*opened.problem, request.devicePath);
                    return;
                  }
                  port_.store(opened.port);
                  RememberGateway(Settings(), request.devicePath);
                  mbus::Link link{lib, opened.port, [stop] { return stop.stop_requested(); }};
                  Identification identification(link, IdentifiedDevices(), catalogue, Settings(),
                                                std::move(texts), observer_);
                  identification.Run(request);
                });
}
