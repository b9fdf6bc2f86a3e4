#pragma once

#include <QThread>
#include <atomic>

// A worker thread whose whole run is ordered before Join() returns in a way a
// thread checker sees as well: QThread::wait() alone orders it through Qt's
// own locks, which a sanitizer build of the program cannot look into.
class WorkerThread : public QThread {
 public:
  using QThread::QThread;

  // Waits until the thread has ended; returns at once when it never started.
  void Join() {
    wait();
    (void)ended_.load(std::memory_order_acquire);
  }

 protected:
  // The thread's work, in place of run().
  virtual void Work() = 0;

 private:
  void run() final {
    Work();
    ended_.store(true, std::memory_order_release);
  }

  std::atomic<bool> ended_{false};
};
