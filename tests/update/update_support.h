#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "dev_server.h"
#include "online/update_run.h"
#include "test_support.h"

// `count` bytes, different for each seed.
std::string Pattern(std::size_t count, unsigned seed);

struct ReleaseEntry {
  int id;
  std::string dst;  // empty for the program folder
  std::string name;
  std::string content;
};

// The development server over a releases folder of its own: project 7 at
// v.0.15 with `files`; client id 1, finger 5f3c9e1a. Throws when it cannot start.
class ReleaseServer {
 public:
  explicit ReleaseServer(const std::vector<ReleaseEntry>& files,
                         std::vector<devserver::Fault> faults = {});
  ~ReleaseServer();
  devserver::DevServer& Server() { return *server_; }
  // fetch_file requests so far, as "file position count".
  std::vector<std::string> ChunkRequests() const;
  // Answers the next `times` file-list requests with `json`.
  void AnswerFileList(const std::string& json, int times = -1);

 private:
  TempFolder folder_;
  std::string error_;
  std::unique_ptr<devserver::DevServer> server_;
};

inline const std::string kClientId = "1";
inline const std::string kFinger = "5f3c9e1a";
inline const std::string kNewVersion = "v.0.15";

// The hand-over, recorded instead of done.
struct HandOver {
  std::atomic<int> launches{0};
  std::atomic<int> exits{0};
  bool launchSucceeds = true;
};

// Holds an update run where it first reads the clock (after its first progress
// step, before its first chunk is asked for) until the test opens it or the
// run is asked to stop, as a slow line would hold it.
class ChunkGate {
 public:
  // The next run is held. Before the run starts.
  void Arm();
  // Opens the gate when a stop is requested on `token`.
  void OpenOnStop(std::stop_token token);
  void Open();
  // True while a run waits at the gate.
  bool Holding() const;
  // Called by the run's clock (the worker's thread).
  void Pass();

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool armed_ = false;
  bool holding_ = false;
  unsigned openings_ = 0;
  std::optional<std::stop_callback<std::function<void()>>> onStop_;
};

// An environment for `server` with a recorded hand-over, no wait in the
// script, and a clock by which every chunk takes `chunkTime`; `gate`, when
// given, can hold the run.
UpdateEnvironment TestEnvironment(ReleaseServer& server, HandOver& handOver,
                                  std::chrono::milliseconds chunkTime = {},
                                  ChunkGate* gate = nullptr);

// A file list of records with the members given as they are.
std::string FileListJson(
    const std::vector<std::vector<std::pair<std::string, std::string>>>& records);

// Waits up to ten seconds for `done`, without processing events.
bool WaitFor(const std::function<bool()>& done);
