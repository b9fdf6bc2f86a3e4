// A program the suite starts and always ends: stopped (SIGTERM, then SIGKILL)
// when the object goes, so no test leaves a process behind.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> arguments;           // the program first
    std::map<std::string, std::string> setEnv;    // added to (or replacing) ours
    std::vector<std::string> unsetEnv;
    std::string directory;                        // empty: ours
    std::string output;                           // stdout and stderr; empty: /dev/null
    int keepFd = -1;                              // one more descriptor the child keeps
  };

  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Empty on success, else what went wrong.
  std::string Start(const Options& options);
  pid_t Pid() const { return pid_; }
  bool Running();
  // Ends it and its process group: SIGTERM, a grace of `graceMs`, then
  // SIGKILL. Returns the wait status, -1 when it was not known.
  int Stop(int graceMs = 3000);
  // Waits up to `timeoutMs` for it to end by itself; -1 when it did not.
  int WaitExit(int timeoutMs);

 private:
  pid_t pid_ = -1;
  pid_t group_ = -1;  // the child leads a process group of its own
  int status_ = -1;
};
