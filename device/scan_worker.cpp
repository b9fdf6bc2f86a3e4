#include "device/scan_worker.h"

#include "base/platform/threads.h"

void ScanWorker::Start(mbus::Link link, int speed, ScanRequest request) {
  worker_.Start(
      platform::thread_name::kScan, [this, link = std::move(link), speed,
                                     request = std::move(request)](std::stop_token stop) mutable {
        link.stopRequested = [stop] { return stop.stop_requested(); };
        keldar_bus_CProcessComPortSetSpeed(link.lib, link.port, speed);
        const ScanResult result = std::visit(
            [&](const auto& order) {
              if constexpr (std::is_same_v<std::decay_t<decltype(order)>, PrimaryScanRequest>)
                return ScanPrimary(link, order, &observer_);
              else
                return ScanSecondary(link, order, &observer_);
            },
            request);
        keldar_bus_DeleteCProcessComPort(link.lib, link.port);
        observer_.Finished(result);
      });
}
