#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dev_server.h"
#include "online/update_run.h"

// A fresh temporary folder, removed with everything in it at the end.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& prefix = "keldar-update");
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Makes `folder` the working directory for the object's life.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::filesystem::path& folder);
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// `count` bytes that differ from one seed to the next and are not text.
std::string Pattern(std::size_t count, unsigned seed);

// One file of a release as the server holds it.
struct ReleaseEntry {
  int id;
  std::string dst;  // empty for the program folder
  std::string name;
  std::string content;
};

// The development server over a releases folder of its own: project 7
// (database krv_local_billing) with one version, v.0.15, holding `files`.
class ReleaseServer {
 public:
  explicit ReleaseServer(const std::vector<ReleaseEntry>& files,
                         std::vector<devserver::Fault> faults = {});
  devserver::DevServer& Server() { return *server_; }
  bool Started() const { return server_ != nullptr; }
  const std::string& Error() const { return error_; }

  // The fetch_file requests so far as "file position count".
  std::vector<std::string> ChunkRequests() const;
  // How many get_project_pack requests arrived.
  int FileListRequests() const;
  // Answers the next file-list requests with `json` instead of the folder.
  void AnswerFileList(const std::string& json, int times = -1);

 private:
  TemporaryFolder folder_{"keldar-update-releases"};
  std::string error_;
  std::unique_ptr<devserver::DevServer> server_;
};

// The identify answer of the development server's default client.
inline const std::string kClientId = "1";
inline const std::string kFinger = "5f3c9e1a";
inline const std::string kNewVersion = "v.0.15";

// Records the hand-over instead of doing it.
struct HandOver {
  std::atomic<int> launches{0};
  std::atomic<int> exits{0};
  std::filesystem::path script;
  bool launchSucceeds = true;
};

// An environment for `server` whose hand-over is recorded in `handOver`; the
// script waits `delaySeconds`. The clock is the real one unless replaced.
UpdateEnvironment TestEnvironment(ReleaseServer& server, HandOver& handOver, int delaySeconds = 0);

// A clock that moves `step` further each time it is read: every chunk then
// takes `step` to arrive.
std::function<std::chrono::milliseconds()> SteppingClock(std::chrono::milliseconds step);

// A file-list answer of one record with the members given as they are.
std::string FileListJson(
    const std::vector<std::vector<std::pair<std::string, std::string>>>& records);

// Waits up to `limit` for `done`.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds limit = std::chrono::milliseconds(10000));
