#include "update_support.h"

#include <stdexcept>
#include <thread>

#include "codec.h"

namespace fs = std::filesystem;

std::string Pattern(std::size_t count, unsigned seed) {
  std::string bytes(count, '\0');
  unsigned value = seed * 2654435761u + 1;
  for (auto& byte : bytes) {
    value = value * 1103515245u + 12345u;
    byte = static_cast<char>(value >> 16);
  }
  return bytes;
}

ReleaseServer::ReleaseServer(const std::vector<ReleaseEntry>& files,
                             std::vector<devserver::Fault> faults) {
  const fs::path version = folder_ / "7" / kNewVersion;
  WriteFile(folder_ / "7" / "project.txt", "database=krv_local_billing\ncurrent=v.0.15\n");
  std::string manifest;
  for (const auto& file : files) {
    const std::string dst = file.dst.empty() ? "." : file.dst;
    manifest += std::to_string(file.id) + " " + dst + " " + file.name + "\n";
    WriteFile(version / dst / file.name, file.content);
  }
  WriteFile(version / "manifest.txt", manifest);
  devserver::ServerOptions options;
  options.releases = folder_.Path();
  options.faults = std::move(faults);
  server_ = devserver::DevServer::Start(std::move(options), error_);
  if (!server_) throw std::runtime_error("development server: " + error_);
}

ReleaseServer::~ReleaseServer() = default;

std::vector<std::string> ReleaseServer::ChunkRequests() const {
  std::vector<std::string> chunks;
  for (const auto& request : server_->Requests()) {
    if (request.call && request.call->name == "fetch_file" && request.call->args.size() == 5) {
      const auto& args = request.call->args;
      chunks.push_back(args[2] + " " + args[3] + " " + args[4]);
    }
  }
  return chunks;
}

void ReleaseServer::AnswerFileList(const std::string& json, int times) {
  server_->SetFaults({devserver::Fault{devserver::FaultKind::kRaw, "get_project_pack", times,
                                       "HTTP/1.0 200 OK\r\n\r\n" + json}});
}

void ChunkGate::Arm() {
  const std::lock_guard lock(mutex_);
  armed_ = true;
}

void ChunkGate::OpenOnStop(std::stop_token token) {
  onStop_.reset();
  onStop_.emplace(std::move(token), [this] { Open(); });
}

void ChunkGate::Open() {
  const std::lock_guard lock(mutex_);
  armed_ = false;
  ++openings_;
  changed_.notify_all();
}

bool ChunkGate::Holding() const {
  const std::lock_guard lock(mutex_);
  return holding_;
}

void ChunkGate::Pass() {
  std::unique_lock lock(mutex_);
  if (!armed_) return;
  armed_ = false;  // one hold for each Arm()
  holding_ = true;
  const unsigned opening = openings_;
  // A test that forgot to open the gate fails on its own timeouts, not here.
  changed_.wait_for(lock, std::chrono::seconds(30), [&] { return openings_ != opening; });
  holding_ = false;
}

UpdateEnvironment TestEnvironment(ReleaseServer& server, HandOver& handOver,
                                  std::chrono::milliseconds chunkTime, ChunkGate* gate) {
  UpdateEnvironment environment;
  environment.account = RemoteAccount{
      "db", "local_billing", "Tq7#mZ4!pL2w", "krv_main", server.Server().HostAndPort(), "/rest", 7};
  environment.windowTitle = "krv_local_billing";
  environment.scriptDelaySeconds = 0;
  environment.launchScript = [&handOver](const fs::path&) {
    ++handOver.launches;
    return handOver.launchSucceeds;
  };
  environment.endProcess = [&handOver] { ++handOver.exits; };
  // Each chunk reads the clock twice: before and after.
  auto now = std::make_shared<std::atomic<long long>>(0);
  environment.ticks = [now, chunkTime, gate] {
    if (gate != nullptr) gate->Pass();
    return std::chrono::milliseconds(now->fetch_add(chunkTime.count()));
  };
  environment.retryPause = std::chrono::milliseconds(10);
  return environment;
}

std::string FileListJson(
    const std::vector<std::vector<std::pair<std::string, std::string>>>& records) {
  return devserver::JsonRecords(std::vector<devserver::JsonRecord>(records.begin(), records.end()));
}

bool WaitFor(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}
