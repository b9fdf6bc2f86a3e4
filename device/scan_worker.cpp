#include "device/scan_worker.h"

#include "base/platform/threads.h"
#include "device/port_opening.h"

void ScanWorker::Start(const KeldarBusProtocolLibrary* lib, std::string path, int speed,
                       ScanRequest request) {
  worker_.Start(
      platform::thread_name::kScan, [this, lib, path = std::move(path), speed,
                                     request = std::move(request)](std::stop_token stop) mutable {
        const OpenedPort opened = OpenMeterPort(lib, path, speed);
        if (opened.problem != nullptr) {
          observer_.PortNotOpened(*opened.problem, path);
          return;
        }
        const mbus::Link link{lib, opened.port, [stop] { return stop.stop_requested(); }};
        keldar_bus_CProcessComPortSetSpeed(lib, opened.port, speed);
        const ScanResult result = std::visit(
            [&](const auto& order) {
              if constexpr (std::is_same_v<std::decay_t<decltype(order)>, PrimaryScanRequest>)
                return ScanPrimary(link, order, &observer_);
              else
                return ScanSecondary(link, order, &observer_);
            },
            request);
        keldar_bus_DeleteCProcessComPort(lib, opened.port);
        observer_.Finished(result);
      });
}
