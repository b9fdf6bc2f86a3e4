#include "online/update_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace {

// Owns the attributes and file actions of one posix_spawn call.
class SpawnSetup {
 public:
  SpawnSetup() {
    ready_ = posix_spawnattr_init(&attributes_) == 0;
    ready_ = posix_spawn_file_actions_init(&actions_) == 0 && ready_;
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  bool Configure() {
    return ready_ && posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID) == 0 &&
           posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0) ==
               0 &&
           posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1) == 0;
  }
  const posix_spawnattr_t* Attributes() const { return &attributes_; }
  const posix_spawn_file_actions_t* Actions() const { return &actions_; }

 private:
  bool ready_ = false;
  posix_spawnattr_t attributes_{};
  posix_spawn_file_actions_t actions_{};
};

}  // namespace

pid_t LaunchInstallerScript(const std::filesystem::path& script) {
  SpawnSetup setup;
  if (!setup.Configure()) return -1;
  std::string shell = "/bin/sh";
  std::string file = script.string();
  char* arguments[] = {shell.data(), file.data(), nullptr};
  pid_t child = -1;
  if (posix_spawn(&child, "/bin/sh", setup.Actions(), setup.Attributes(), arguments, environ) != 0)
    return -1;
  return child;
}

void EndProcessNow() { _exit(0); }
