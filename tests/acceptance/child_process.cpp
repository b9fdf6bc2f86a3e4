#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

ChildProcess::~ChildProcess() { Stop(); }

std::string ChildProcess::Start(const Options& options) {
  if (options.arguments.empty()) return "no program given";
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& name : options.unsetEnv) env.erase(name);
  for (const auto& [name, value] : options.setEnv) env[name] = value;
  std::vector<std::string> envText;
  for (const auto& [name, value] : env) envText.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = options.arguments;
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The exec failure travels back through a pipe that closes on exec.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return std::strerror(errno);
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return std::strerror(errno);
  }
  if (pid_ == 0) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    if (!options.directory.empty() && ::chdir(options.directory.c_str()) != 0) {
      const int e = errno;
      [[maybe_unused]] auto n = ::write(report[1], &e, sizeof e);
      ::_exit(127);
    }
    const int out = ::open(options.output.empty() ? "/dev/null" : options.output.c_str(),
                           O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (out >= 0) {
      ::dup2(out, 1);
      ::dup2(out, 2);
    }
    const int in = ::open("/dev/null", O_RDONLY);
    if (in >= 0) ::dup2(in, 0);
    if (options.keepFd >= 0) ::fcntl(options.keepFd, F_SETFD, 0);
    ::execve(argv[0], argv.data(), envp.data());
    const int e = errno;
    [[maybe_unused]] auto n = ::write(report[1], &e, sizeof e);
    ::_exit(127);
  }
  ::close(report[1]);
  group_ = pid_;
  int error = 0;
  const ssize_t got = ::read(report[0], &error, sizeof error);
  ::close(report[0]);
  if (got == sizeof error) {
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    group_ = -1;
    return options.arguments.front() + ": " + std::strerror(error);
  }
  return {};
}

bool ChildProcess::Running() {
  if (pid_ < 0) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) {
    status_ = status;
    pid_ = -1;
    return false;
  }
  return true;
}

int ChildProcess::WaitExit(int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Running()) {
    if (std::chrono::steady_clock::now() > end) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return status_;
}

int ChildProcess::Stop(int graceMs) {
  // The whole group goes: what the program started (a script, the program
  // it started in turn) outlives the program itself otherwise.
  if (group_ > 0) ::kill(-group_, SIGTERM);
  if (Running() && WaitExit(graceMs) == -1) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status_, 0);
    pid_ = -1;
  }
  if (group_ > 0) ::kill(-group_, SIGKILL);
  group_ = -1;
  return status_;
}
