#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "base/platform/worker.h"
#include "online/update_run.h"

// The update worker: one thread per accepted update. It runs UpdateRun and
// hands each progress step and its end to the thread of `receiver` (the
// update screen), so it never touches a widget and never waits for the
// screen. Calls not yet run when `receiver` goes away are dropped. Its owner
// stops it with RequestStop() or Stop(); the destructor stops and joins it.
// The longest the window waits for the file list that sizes the gauge.
inline constexpr std::chrono::milliseconds kGaugeListBudget{3000};

class UpdateWorker {
 public:
  // Copies the three texts and asks the server for the file list once, on the
  // caller's thread, to size the gauge. The thread runs after Start().
  UpdateWorker(UpdateEnvironment environment, std::string id, std::string finger,
               std::string newVersion, QObject* receiver,
               std::function<void(std::int32_t step)> progress, std::function<void()> ended = {});
  UpdateWorker(const UpdateWorker&) = delete;
  UpdateWorker& operator=(const UpdateWorker&) = delete;

  void Start();
  // Asks the run to stop after its current chunk; returns at once.
  void RequestStop() { worker_.RequestStop(); }
  std::stop_token StopToken() const { return worker_.StopToken(); }
  // Stops the run and waits for its thread.
  void Stop() { worker_.Stop(); }

  // The sum of the file sizes: the gauge's maximum.
  std::int64_t GaugeMaximum() const { return gaugeMaximum_; }
  // True once the run has ended (the thread may still be finishing).
  bool RunEnded() const { return runEnded_.load(); }
  // What the run came to; meaningful once RunEnded().
  UpdateResult Result() const;

  // The amount the last progress step added to the gauge.
  std::int32_t ProgressStep() const { return progressStep_.load(); }

 private:
  const UpdateEnvironment environment_;
  const std::string id_;
  const std::string finger_;
  const std::string newVersion_;
  QObject* receiver_;
  std::function<void(std::int32_t)> progress_;
  std::function<void()> ended_;
  std::int64_t gaugeMaximum_ = 0;
  std::atomic<std::int32_t> progressStep_{0};
  std::atomic<bool> runEnded_{false};
  mutable std::mutex resultMutex_;
  UpdateResult result_;
  platform::Worker worker_;  // last: joined before the members it uses go
};
