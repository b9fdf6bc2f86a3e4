#include "online_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>

#include "base/kit/message_box.h"

namespace fs = std::filesystem;

namespace {

int BoundLoopbackSocket(std::uint16_t& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) ::close(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

void WriteRelease(const fs::path& releases, const std::string& project, const std::string& version,
                  const std::map<std::string, std::string>& files, int firstId) {
  const fs::path folder = releases / project / version;
  std::string manifest;
  int id = firstId;
  for (const auto& [path, content] : files) {
    const fs::path relative(path);
    const std::string dst = relative.has_parent_path() ? relative.parent_path().string() : ".";
    manifest += std::to_string(id++) + " " + dst + " " + relative.filename().string() + "\n";
    WriteFile(folder / relative, content);
  }
  WriteFile(folder / "manifest.txt", manifest);
}

void WriteProject(const fs::path& releases, const std::string& project, const std::string& database,
                  const std::string& current) {
  std::string text = "database=" + database + "\nname=KELDAR\nlong_name=KELDAR service tool\n";
  if (!current.empty()) text += "current=" + current + "\n";
  WriteFile(releases / project / "project.txt", text);
}

ServerWithReleases::ServerWithReleases(const std::string& current,
                                       devserver::ServerOptions options) {
  WriteProject(folder_.Path(), "7", "krv_local_billing", current);
  WriteRelease(folder_.Path(), "7", current, {{"readme.txt", "release " + current + "\n"}}, 100);
  options.releases = folder_.Path();
  server_ = devserver::DevServer::Start(std::move(options), error_);
}

devserver::ServerOptions ServedTo(int records, std::string finger,
                                  std::vector<devserver::Fault> faults) {
  devserver::ServerOptions options;
  options.clients.records = records;
  options.clients.finger = std::move(finger);
  options.faults = std::move(faults);
  return options;
}

devserver::ServerOptions Misbehaving(std::vector<devserver::Fault> faults) {
  devserver::ServerOptions options;
  options.faults = std::move(faults);
  return options;
}

std::uint16_t ClosedPort() {
  std::uint16_t port = 0;
  const int fd = BoundLoopbackSocket(port);
  if (fd >= 0) ::close(fd);
  return port;
}

NeverAcceptingListener::NeverAcceptingListener() {
  fd_ = BoundLoopbackSocket(port_);
  if (fd_ >= 0) ::listen(fd_, 4);
}

NeverAcceptingListener::~NeverAcceptingListener() {
  if (fd_ >= 0) ::close(fd_);
}

struct HangingLookup::State {
  mutable std::mutex mutex;
  std::condition_variable changed;
  bool released = false;
  int running = 0;
  int begun = 0;
};

HangingLookup::HangingLookup() : state_(std::make_shared<State>()) {}

HangingLookup::~HangingLookup() {
  Release();
  AllEnded(std::chrono::seconds(10));
}

NameLookup HangingLookup::Lookup() const {
  return [state = state_](const std::string&) -> std::optional<in_addr> {
    std::unique_lock lock(state->mutex);
    ++state->running;
    ++state->begun;
    state->changed.wait(lock, [&] { return state->released; });
    --state->running;
    state->changed.notify_all();
    in_addr loopback{};
    loopback.s_addr = htonl(INADDR_LOOPBACK);
    return loopback;
  };
}

void HangingLookup::Release() {
  const std::lock_guard lock(state_->mutex);
  state_->released = true;
  state_->changed.notify_all();
}

bool HangingLookup::AllEnded(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, timeout, [&] { return state_->running == 0; });
}

int HangingLookup::Begun() const {
  const std::lock_guard lock(state_->mutex);
  return state_->begun;
}

void RecordingHost::HideProgramUpdate() { events.push_back("hide update"); }

void RecordingHost::ShowDownloadIcon(bool visible) {
  events.push_back(visible ? "icon on" : "icon off");
}

int RecordingHost::Ask(const QString& text, const QString& caption, unsigned flags) {
  events.push_back("ask");
  questions.push_back({text, caption, flags});
  if (answers.empty()) return platform::kIdNo;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingHost::StartUpdate(std::string id, std::string finger, std::string newVersion) {
  events.push_back("update " + id + "|" + finger + "|" + newVersion);
}
