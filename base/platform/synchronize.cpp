#include "base/platform/synchronize.h"

#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

struct Completion {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
};

std::mutex gHandOver;

constexpr auto kStopCheckPeriod = std::chrono::milliseconds(20);

}  // namespace

bool Synchronize(QObject* context, std::function<void()> work) {
  if (context == nullptr) return false;
  if (QThread::currentThread() == context->thread()) {
    work();
    return true;
  }
  auto completion = std::make_shared<Completion>();
  {
    // Posted under a lock that the call takes before it touches anything it
    // carries: what this thread wrote is ordered before the work for thread
    // checkers too, not only through Qt's event queue. The work itself runs
    // without a lock held, since it may wait for this very thread.
    const std::lock_guard posting(gHandOver);
    QMetaObject::invokeMethod(
        context,
        [completion, work = std::move(work)] {
          { const std::lock_guard received(gHandOver); }
          work();
          const std::lock_guard finishing(completion->mutex);
          completion->finished = true;
          completion->done.notify_all();
        },
        Qt::QueuedConnection);
  }

  QThread* self = QThread::currentThread();
  std::unique_lock lock(completion->mutex);
  while (!completion->finished) {
    if (self->isInterruptionRequested()) return false;
    completion->done.wait_for(lock, kStopCheckPeriod);
  }
  return true;
}
