// The meter simulator for a test: started on a pseudo-terminal whose path it
// prints first, stopped when the test ends.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace devicescreen::test {

inline std::string MeterFile(const char* name) {
  return std::string(KELDAR_SOURCE_DIR) + "/tools/meter-sim/meters/" + name;
}

class MeterSim {
 public:
  explicit MeterSim(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), std::string(KELDAR_BIN_DIR) + "/keldar-meter-sim");
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int output[2];
    if (::pipe(output) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    char c;
    while (pid_ > 0 && ::read(output[0], &c, 1) == 1 && c != '\n') path_.push_back(c);
    ::close(output[0]);
  }
  ~MeterSim() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  MeterSim(const MeterSim&) = delete;
  MeterSim& operator=(const MeterSim&) = delete;

  const std::string& Path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

}  // namespace devicescreen::test
