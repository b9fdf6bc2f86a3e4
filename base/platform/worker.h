#pragma once

#include <pthread.h>

#include <QObject>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>

// The one way the program works off the main thread: a Worker runs one piece
// of work on a thread of its own, the work hands its results to the main
// thread with HandOver, and the owner of the Worker stops and joins it (at the
// latest when the Worker is destroyed). Nothing waits for the main thread, so
// the main thread may always wait for a worker. Header-only, so the plug-ins
// use the same pieces.
namespace platform {

namespace detail {
// Taken around posting and before running a handed-over call: what the worker
// wrote is ordered before the call for thread checkers too, not only through
// Qt's event queue, which a sanitizer build cannot look into.
inline std::mutex& HandOverLock() {
  static std::mutex lock;
  return lock;
}
}  // namespace detail

// Runs `call` on the thread `receiver` lives in, from its event loop. Dropped
// when `receiver` is destroyed before it ran. Any thread.
inline void HandOver(QObject* receiver, std::function<void()> call) {
  if (receiver == nullptr) return;
  const std::lock_guard posting(detail::HandOverLock());
  QMetaObject::invokeMethod(
      receiver,
      [call = std::move(call)] {
        { const std::lock_guard received(detail::HandOverLock()); }
        call();
      },
      Qt::QueuedConnection);
}

class Worker {
 public:
  using Work = std::function<void(std::stop_token)>;

  Worker() = default;
  ~Worker() { Stop(); }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  // Starts `work` on a new thread called `name` (one of threads.h, at most 15
  // characters). A previous run is stopped and joined first. Owner's thread.
  void Start(const char* name, Work work) {
    Stop();
    thread_ = std::jthread([name, work = std::move(work)](std::stop_token stop) {
      pthread_setname_np(pthread_self(), name);
      work(stop);
    });
  }

  // Asks the work to end at its next check of the stop token; returns at once.
  void RequestStop() { thread_.request_stop(); }
  // The run's stop token, for those who act when it is stopped.
  std::stop_token StopToken() const { return thread_.get_stop_token(); }

  // Asks the work to end and waits for its thread. Owner's thread.
  void Stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
  }

 private:
  std::jthread thread_;
};

}  // namespace platform
