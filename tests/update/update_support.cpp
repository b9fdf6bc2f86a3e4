#include "update_support.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "codec.h"

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          (prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const fs::path& folder)
    : previous_(fs::current_path()) {
  fs::current_path(folder);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
  const fs::path project = folder_.Path() / "7";
  WriteBytes(project / "project.txt",
             "database=krv_local_billing\nname=KELDAR\ncurrent=" + kNewVersion + "\n");
  std::string manifest;
  for (const auto& file : files) {
    const std::string dst = file.dst.empty() ? "." : file.dst;
    manifest += std::to_string(file.id) + " " + dst + " " + file.name + "\n";
    WriteBytes(project / kNewVersion / dst / file.name, file.content);
  }
  WriteBytes(project / kNewVersion / "manifest.txt", manifest);

  devserver::ServerOptions options;
  options.releases = folder_.Path();
  options.faults = std::move(faults);
  options.silentHold = std::chrono::milliseconds(5000);
  server_ = devserver::DevServer::Start(std::move(options), error_);
}

std::vector<std::string> ReleaseServer::ChunkRequests() const {
  std::vector<std::string> chunks;
  for (const auto& request : server_->Requests()) {
    if (!request.call || request.call->name != "fetch_file" || request.call->args.size() != 5)
      continue;
    const auto& args = request.call->args;
    chunks.push_back(args[2] + " " + args[3] + " " + args[4]);
  }
  return chunks;
}

int ReleaseServer::FileListRequests() const {
  int count = 0;
  for (const auto& request : server_->Requests())
    if (request.call && request.call->name == "get_project_pack") ++count;
  return count;
}

void ReleaseServer::AnswerFileList(const std::string& json, int times) {
  const std::string raw = "HTTP/1.0 200 OK\r\nContent-Type: application/json\r\n\r\n" + json;
  server_->SetFaults(
      {devserver::Fault{devserver::FaultKind::kRaw, "get_project_pack", times, raw}});
}

UpdateEnvironment TestEnvironment(ReleaseServer& server, HandOver& handOver, int delaySeconds) {
  UpdateEnvironment environment;
  environment.account = RemoteAccount{
      "db", "local_billing", "Tq7#mZ4!pL2w", "krv_main", server.Server().HostAndPort(), "/rest", 7};
  environment.windowTitle = "krv_local_billing";
  environment.flavour = ScriptFlavour::kPosix;
  environment.scriptDelaySeconds = delaySeconds;
  environment.launchScript = [&handOver](const fs::path& script) {
    handOver.script = script;
    ++handOver.launches;
    return handOver.launchSucceeds;
  };
  environment.endProcess = [&handOver] { ++handOver.exits; };
  environment.retryPause = std::chrono::milliseconds(10);
  return environment;
}

std::function<std::chrono::milliseconds()> SteppingClock(std::chrono::milliseconds step) {
  auto now = std::make_shared<std::atomic<long long>>(0);
  return [now, step] { return std::chrono::milliseconds(now->fetch_add(step.count())); };
}

std::string FileListJson(
    const std::vector<std::vector<std::pair<std::string, std::string>>>& records) {
  std::vector<devserver::JsonRecord> json(records.begin(), records.end());
  return devserver::JsonRecords(json);
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}
