#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
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

// An environment for `server` with a recorded hand-over, no wait in the
// script, and a clock by which every chunk takes `chunkTime`.
UpdateEnvironment TestEnvironment(ReleaseServer& server, HandOver& handOver,
                                  std::chrono::milliseconds chunkTime = {});

// A file list of records with the members given as they are.
std::string FileListJson(
    const std::vector<std::vector<std::pair<std::string, std::string>>>& records);

// Waits up to ten seconds for `done`, without processing events.
bool WaitFor(const std::function<bool()>& done);
