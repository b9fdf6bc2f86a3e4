// Fake plug-ins write what the shell does with them, one line per event, to
// the file named by KELDAR_FAKE_LOG, so tests can check the order of calls.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#ifndef FAKE_NAME
#error "FAKE_NAME names the fake library in its log lines"
#endif

inline void FakeLog(const std::string& event) {
  const char* path = std::getenv("KELDAR_FAKE_LOG");
  if (path == nullptr || *path == '\0') return;
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  const std::string line = std::string(FAKE_NAME) + ": " + event + "\n";
  [[maybe_unused]] const auto written = ::write(fd, line.data(), line.size());
  ::close(fd);
}

// One source of each fake logs its loading and unloading.
#ifndef FAKE_LIFECYCLE_ELSEWHERE
__attribute__((constructor)) static void FakeLoaded() { FakeLog("load"); }
__attribute__((destructor)) static void FakeUnloaded() { FakeLog("unload"); }
#endif
