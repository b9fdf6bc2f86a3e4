#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "base/platform/worker_thread.h"
#include "online/update_run.h"

// The update worker: one thread per accepted update. It runs UpdateRun and
// reports progress through synchronised calls onto the thread of
// `progressContext` (the update screen), so it never touches a widget itself.
// Its owner stops it with requestInterruption() and must Join() it before
// anything it uses goes away; the destructor does both. `progress` runs on the
// context's thread and may still run there once after a stop ended the wait
// for it, so it must not refer to the worker.
class TFrameProgramUpdate : public WorkerThread {
 public:
  // Copies the three texts and asks the server for the file list once, on the
  // caller's thread, to size the gauge. The thread runs after start().
  TFrameProgramUpdate(UpdateEnvironment environment, std::string id, std::string finger,
                      std::string newVersion, QObject* progressContext,
                      std::function<void(std::int32_t step)> progress);
  ~TFrameProgramUpdate() override;
  TFrameProgramUpdate(const TFrameProgramUpdate&) = delete;
  TFrameProgramUpdate& operator=(const TFrameProgramUpdate&) = delete;

  // The sum of the file sizes: the gauge's maximum.
  std::int64_t GaugeMaximum() const { return gaugeMaximum_; }
  // True once the run has ended (the thread may still be finishing).
  bool RunEnded() const { return runEnded_.load(); }
  // What the run came to; meaningful once RunEnded().
  UpdateResult Result() const;

  // The amount the next progress call adds to the gauge.
  std::int32_t ProgressStep() const { return progressStep_.load(); }

 protected:
  void Work() override;

 private:
  const UpdateEnvironment environment_;
  const std::string id_;
  const std::string finger_;
  const std::string newVersion_;
  QObject* progressContext_;  // outlives the run: its owner joins the thread first
  std::function<void(std::int32_t)> progress_;
  std::int64_t gaugeMaximum_ = 0;
  std::atomic<std::int32_t> progressStep_{0};
  std::atomic<bool> runEnded_{false};
  mutable std::mutex resultMutex_;
  UpdateResult result_;
};
