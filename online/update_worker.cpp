#include "online/update_worker.h"

#include <exception>

#include "base/platform/threads.h"

UpdateWorker::UpdateWorker(UpdateEnvironment environment, std::string id, std::string finger,
                           std::string newVersion, QObject* receiver,
                           std::function<void(std::int32_t step)> progress,
                           std::function<void()> ended)
    : environment_(std::move(environment)),
      id_(std::move(id)),
      finger_(std::move(finger)),
      newVersion_(std::move(newVersion)),
      receiver_(receiver),
      progress_(std::move(progress)),
      ended_(std::move(ended)) {
  // On the window's thread: a server that does not answer holds it only briefly.
  gaugeMaximum_ = FileListTotal(environment_.account, id_, finger_, newVersion_, kGaugeListBudget);
}

UpdateResult UpdateWorker::Result() const {
  std::lock_guard lock(resultMutex_);
  return result_;
}

void UpdateWorker::Start() {
  worker_.Start(platform::thread_name::kUpdate, [this](std::stop_token stop) {
    UpdateRun update(environment_, id_, finger_, newVersion_, stop, [this](std::int32_t step) {
      progressStep_.store(step);
      if (progress_)
        platform::HandOver(receiver_, [progress = progress_, step] { progress(step); });
    });
    UpdateResult result;
    try {
      result = update.Run();
    } catch (const std::exception& error) {
      // Nothing may leave a thread's run; the screen tells the user instead.
      result = {UpdateOutcome::kNotWritten, error.what()};
    }
    {
      std::lock_guard lock(resultMutex_);
      result_ = std::move(result);
    }
    runEnded_.store(true);
    if (ended_) platform::HandOver(receiver_, ended_);
  });
}
