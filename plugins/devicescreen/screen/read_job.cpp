#include "screen/read_job.h"

#include "base/platform/threads.h"

namespace devicescreen {

void ReadJob::Start(QObject* receiver, BusPort bus, std::uint8_t address, Done done) {
  worker_.Start(platform::thread_name::kDeviceRead,
                [receiver, bus, address, done = std::move(done)](std::stop_token stop) {
                  ReadOutcome outcome = ReadMeter(bus, address, stop);
                  if (stop.stop_requested()) return;
                  platform::HandOver(receiver, [done, outcome = std::move(outcome)]() mutable {
                    done(std::move(outcome));
                  });
                });
}

}  // namespace devicescreen
