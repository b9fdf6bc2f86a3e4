#include "online/update_worker.h"

#include <exception>

#include "base/platform/synchronize.h"

TFrameProgramUpdate::TFrameProgramUpdate(UpdateEnvironment environment, std::string id,
                                         std::string finger, std::string newVersion,
                                         QObject* progressContext,
                                         std::function<void(std::int32_t step)> progress)
    : environment_(std::move(environment)),
      id_(std::move(id)),
      finger_(std::move(finger)),
      newVersion_(std::move(newVersion)),
      progressContext_(progressContext),
      progress_(std::move(progress)) {
  setObjectName(QStringLiteral("TreadFrameProgramUpdate"));  // the thread's name for debuggers
  gaugeMaximum_ = FileListTotal(environment_.account, id_, finger_, newVersion_);
}

TFrameProgramUpdate::~TFrameProgramUpdate() {
  requestInterruption();
  Join();
}

UpdateResult TFrameProgramUpdate::Result() const {
  std::lock_guard lock(resultMutex_);
  return result_;
}

void TFrameProgramUpdate::Work() {
  UpdateRun update(
      environment_, id_, finger_, newVersion_, [this] { return isInterruptionRequested(); },
      [this](std::int32_t step) {
        progressStep_.store(step);
        // Waits while the gauge moves on the screen's thread; a stop ends the wait.
        if (progress_ && progressContext_ != nullptr)
          Synchronize(progressContext_, [progress = progress_, step] { progress(step); });
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
}
