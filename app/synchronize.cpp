#include "app/synchronize.h"

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

constexpr auto kStopCheckPeriod = std::chrono::milliseconds(20);

}  // namespace

bool Synchronize(QObject* context, std::function<void()> work) {
  if (context == nullptr) return false;
  if (QThread::currentThread() == context->thread()) {
    work();
    return true;
  }
  auto completion = std::make_shared<Completion>();
  QMetaObject::invokeMethod(
      context,
      [completion, work = std::move(work)] {
        work();
        std::lock_guard lock(completion->mutex);
        completion->finished = true;
        completion->done.notify_all();
      },
      Qt::QueuedConnection);

  QThread* self = QThread::currentThread();
  std::unique_lock lock(completion->mutex);
  while (!completion->finished) {
    if (self->isInterruptionRequested()) return false;
    completion->done.wait_for(lock, kStopCheckPeriod);
  }
  return true;
}
