#include "screen/read_job.h"

#include <pthread.h>

namespace devicescreen {

void ReadJob::Start(QObject* receiver, BusPort bus, std::uint8_t address, Done done) {
  Stop();  // the previous thread has delivered; this only joins it
  thread_ = std::jthread([receiver, bus, address, done = std::move(done)](std::stop_token stop) {
    pthread_setname_np(pthread_self(), "DeviceRead");
    ReadOutcome outcome = ReadMeter(bus, address, stop);
    if (stop.stop_requested()) return;
    QMetaObject::invokeMethod(
        receiver, [done, outcome = std::move(outcome)]() mutable { done(std::move(outcome)); },
        Qt::QueuedConnection);
  });
}

void ReadJob::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

}  // namespace devicescreen
