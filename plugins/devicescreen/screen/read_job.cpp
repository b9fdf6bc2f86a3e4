#include "screen/read_job.h"

#include <pthread.h>

#include <mutex>

namespace devicescreen {
namespace {

std::mutex gHandOver;

}  // namespace

void ReadJob::Start(QObject* receiver, BusPort bus, std::uint8_t address, Done done) {
  Stop();  // the previous thread has delivered; this only joins it
  thread_ = std::jthread([receiver, bus, address, done = std::move(done)](std::stop_token stop) {
    pthread_setname_np(pthread_self(), "DeviceRead");
    ReadOutcome outcome = ReadMeter(bus, address, stop);
    if (stop.stop_requested()) return;
    // Posted under a lock that the call takes before it runs: the outcome is
    // ordered before its use for thread checkers too, not only through Qt's
    // event queue.
    const std::lock_guard posting(gHandOver);
    QMetaObject::invokeMethod(
        receiver,
        [done, outcome = std::move(outcome)]() mutable {
          { const std::lock_guard received(gHandOver); }
          done(std::move(outcome));
        },
        Qt::QueuedConnection);
  });
}

void ReadJob::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

}  // namespace devicescreen
