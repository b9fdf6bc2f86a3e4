#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dev_server.h"
#include "online/name_lookup.h"
#include "online/startup_check.h"
#include "test_support.h"

// One version of a project in a releases folder: files by their path under the
// program folder ("readme.txt", "doc/changes.txt"), ids counted from firstId.
void WriteRelease(const std::filesystem::path& releases, const std::string& project,
                  const std::string& version, const std::map<std::string, std::string>& files,
                  int firstId);
// The project's description, naming its database and (when given) its current version.
void WriteProject(const std::filesystem::path& releases, const std::string& project,
                  const std::string& database, const std::string& current);

// A development server on 127.0.0.1 over a releases folder of its own that
// holds project 7 (database krv_local_billing) at `current`, one file per version.
class ServerWithReleases {
 public:
  explicit ServerWithReleases(const std::string& current, devserver::ServerOptions options = {});
  devserver::DevServer& Server() { return *server_; }
  bool Started() const { return server_ != nullptr; }
  const std::string& Error() const { return error_; }

 private:
  TempFolder folder_;
  std::string error_;
  std::unique_ptr<devserver::DevServer> server_;
};

// Server options: identify hands out `records` ids with `finger`; and faults.
devserver::ServerOptions ServedTo(int records, std::string finger,
                                  std::vector<devserver::Fault> faults = {});
devserver::ServerOptions Misbehaving(std::vector<devserver::Fault> faults);

// A port on 127.0.0.1 where nobody listens (bound, then released).
std::uint16_t ClosedPort();

// A socket that listens on 127.0.0.1 but never accepts; the kernel still
// completes connections, so a client sees a server that never answers.
class NeverAcceptingListener {
 public:
  NeverAcceptingListener();
  ~NeverAcceptingListener();
  NeverAcceptingListener(const NeverAcceptingListener&) = delete;
  NeverAcceptingListener& operator=(const NeverAcceptingListener&) = delete;
  std::uint16_t Port() const { return port_; }

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

// A name look-up that answers only once released, as a dead name server never
// does. Its look-ups run on the threads the HTTP client leaves behind; the
// destructor releases them and waits until they are over.
class HangingLookup {
 public:
  HangingLookup();
  ~HangingLookup();
  HangingLookup(const HangingLookup&) = delete;
  HangingLookup& operator=(const HangingLookup&) = delete;

  NameLookup Lookup() const;
  // Lets every look-up, waiting or still to come, answer 127.0.0.1.
  void Release();
  // True once every look-up begun has returned, within `timeout`.
  bool AllEnded(std::chrono::milliseconds timeout) const;
  int Begun() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

// Records what the start-up check does to the window and answers its questions.
class RecordingHost : public StartupCheckHost {
 public:
  struct Question {
    QString text;
    QString caption;
    unsigned flags;
  };
  std::vector<std::string>
      events;  // "hide update", "icon on", "icon off", "ask", "update id|finger|version"
  std::vector<Question> questions;
  std::deque<int> answers;  // then kIdNo

  void HideProgramUpdate() override;
  void ShowDownloadIcon(bool visible) override;
  int Ask(const QString& text, const QString& caption, unsigned flags) override;
  void StartUpdate(std::string id, std::string finger, std::string newVersion) override;
};

// Milliseconds since construction.
class StopWatch {
 public:
  long long Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
