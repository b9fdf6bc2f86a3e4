#include "online/update_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <fstream>
#include <limits>
#include <mutex>
#include <new>

#include "base/core/brand_profile.h"
#include "online/base64.h"
#include "online/crc32.h"
#include "online/http_client.h"
#include "online/update_process.h"
#include "online/update_record.h"

namespace fs = std::filesystem;

namespace {

std::chrono::milliseconds SteadyTicks() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

// The records of a file-list answer, when HttpPost succeeded and the answer is usable.
std::optional<RemoteRecords> FileList(const RemoteAccount& account, std::string_view id,
                                      std::string_view finger, std::string_view newVersion,
                                      const HttpOptions& limits = {}) {
  const ProcedureAnswer answer = CallProcedure(
      account, FileListQuery(account.mainDatabase, id, finger, account.projectNumber, newVersion),
      limits);
  if (answer.result != kHttpOk || answer.bytes.empty()) return std::nullopt;
  RemoteRecords list = RemoteRecords::Parse(answer.bytes);
  if (!list.Usable()) return std::nullopt;
  return list;
}

// The bytes of a chunk answer: the "file" texts of its records, decoded one
// after the other. A chunk counts only when it is exactly what was asked for.
bool ChunkBytes(const ProcedureAnswer& answer, std::int64_t length, std::string& bytes) {
  const RemoteRecords chunk = RemoteRecords::Parse(answer.bytes);
  if (!chunk.Usable()) return false;
  bytes.clear();
  for (const JSONObject* record : chunk.Records()) {
    bytes += Base64Decode(StringField(*record, u"file"));
    if (static_cast<std::int64_t>(bytes.size()) > length) return false;
  }
  return static_cast<std::int64_t>(bytes.size()) == length;
}

// Creating a file is the one sure test: permissions, read-only mounts and
// full quotas all show up here, before anything is downloaded.
bool FolderWritable(const fs::path& folder) {
  const fs::path probe = (folder.empty() ? fs::path(".") : folder) /
                         (".keldar-update-probe-" + std::to_string(::getpid()));
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

bool WriteWhole(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

void RemoveAll(const std::vector<fs::path>& files) {
  for (const auto& file : files) {
    std::error_code ignored;
    fs::remove(file, ignored);
  }
}

std::string Shown(const UpdateFileRecord& record) {
  return record.dst.empty() ? record.name : record.dst + "/" + record.name;
}

}  // namespace

UpdateEnvironment UpdateEnvironment::FromProfile(const BrandProfile& profile) {
  UpdateEnvironment environment;
  environment.account = RemoteAccount::FromProfile(profile);
  environment.windowTitle = std::string(profile.LocalDatabase());
#ifdef _WIN32
  environment.flavour = ScriptFlavour::kWindows;
#endif
  environment.launchScript = [](const fs::path& script) {
    return LaunchInstallerScript(script) > 0;
  };
  environment.endProcess = [] { EndProcessNow(); };
  environment.ticks = SteadyTicks;
  return environment;
}

std::int64_t FileListTotal(const RemoteAccount& account, std::string_view id,
                           std::string_view finger, std::string_view newVersion,
                           std::chrono::milliseconds budget) {
  HttpOptions limits;
  limits.deadline = std::chrono::steady_clock::now() + budget;
  const auto list = FileList(account, id, finger, newVersion, limits);
  if (!list) return 0;
  std::int64_t total = 0;
  for (const JSONObject* record : list->Records()) {
    const std::int64_t size = ReadFileRecord(*record).size;
    if (size > 0)
      total = size > std::numeric_limits<std::int64_t>::max() - total
                  ? std::numeric_limits<std::int64_t>::max()
                  : total + size;
  }
  return total;
}

struct UpdateRun::Planned {
  UpdateFileRecord record;
  bool current = false;
};

UpdateRun::UpdateRun(const UpdateEnvironment& environment, std::string id, std::string finger,
                     std::string newVersion, std::stop_token stop,
                     std::function<void(std::int32_t step)> progress)
    : environment_(environment),
      id_(std::move(id)),
      finger_(std::move(finger)),
      newVersion_(std::move(newVersion)),
      stop_(std::move(stop)),
      progress_(std::move(progress)) {}

void UpdateRun::Progress(std::int64_t step) {
  if (progress_)
    progress_(static_cast<std::int32_t>(
        std::clamp<std::int64_t>(step, 0, std::numeric_limits<std::int32_t>::max())));
}

std::chrono::milliseconds UpdateRun::Now() const {
  return environment_.ticks ? environment_.ticks() : SteadyTicks();
}

// Checks every record and finds out which files are current and whether the
// folders of the others can be written, all before the first download.
std::vector<UpdateRun::Planned> UpdateRun::Plan(const std::vector<const JSONObject*>& records,
                                                std::optional<UpdateResult>& failure) {
  const char* scriptName = ScriptText::FileName(environment_.flavour);
  std::vector<Planned> plan;
  for (const JSONObject* object : records) {
    Planned file{ReadFileRecord(*object)};
    const RecordProblem problem =
        CheckRecord(file.record, environment_.account.mainDatabase, id_, finger_, scriptName);
    if (problem != RecordProblem::kNone) {
      failure = UpdateResult{UpdateOutcome::kRefused, Shown(file.record), problem};
      return {};
    }
    file.current = FileCrc32(LocalPath(file.record)) == file.record.crc;
    plan.push_back(std::move(file));
  }
  for (const Planned& file : plan) {
    if (file.current) continue;
    const fs::path folder(file.record.dst);
    std::error_code error;
    if (!folder.empty()) fs::create_directories(folder, error);
    if (!FolderWritable(folder)) {
      const fs::path here = fs::current_path(error);
      failure = UpdateResult{UpdateOutcome::kFolderNotWritable,
                             (folder.empty() ? here : (here / folder).lexically_normal()).string()};
      return {};
    }
  }
  return plan;
}

void UpdateRun::PauseBeforeRetry() const {
  // Ends at once when the run is stopped.
  std::mutex mutex;
  std::condition_variable_any wake;
  std::unique_lock lock(mutex);
  wake.wait_for(lock, stop_, environment_.retryPause, [] { return false; });
}

bool UpdateRun::Download(const UpdateFileRecord& file, std::string& bytes) {
  using Steady = std::chrono::steady_clock;
  const std::int64_t size = file.size;
  bytes.assign(static_cast<std::size_t>(size), '\0');
  std::int64_t position = 1;
  int failures = 0;
  auto lastGain = Steady::now();
  while (position <= size && !Stopping()) {
    if (position == 1) chunks_.StartFile(size);
    const std::int64_t length = chunks_.Value();
    Progress(length);
    const auto started = Now();
    HttpOptions limits;
    limits.deadline = lastGain + environment_.stallLimit;
    const ProcedureAnswer answer = CallProcedure(
        environment_.account,
        FileChunkQuery(environment_.account.mainDatabase, id_, finger_, file.id,
                       static_cast<std::int32_t>(position), static_cast<std::int32_t>(length)),
        limits);
    std::string chunk;
    if (!ChunkBytes(answer, length, chunk)) {
      // Asked for again, but not for ever: a server that keeps failing ends the update.
      if (++failures >= environment_.chunkAttempts ||
          Steady::now() - lastGain >= environment_.stallLimit)
        return false;
      PauseBeforeRetry();
      continue;
    }
    failures = 0;
    lastGain = Steady::now();
    std::copy(chunk.begin(), chunk.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(position - 1));
    const auto elapsed = Now() - started;
    position += length;
    if (position > size) break;
    chunks_.Adapt(elapsed, position, size);
  }
  return true;
}

UpdateResult UpdateRun::Run() {
  std::error_code error;
  const fs::path folder = fs::current_path(error);
  const fs::path scriptPath = folder / ScriptText::FileName(environment_.flavour);
  InstallerScript script;
  if (error ||
      !script.Create(scriptPath, ScriptSettings{environment_.flavour, ScriptDirectory(folder),
                                                environment_.windowTitle, environment_.programName,
                                                environment_.scriptDelaySeconds})) {
    script.Remove();
    return {UpdateOutcome::kFolderNotWritable, folder.string()};
  }

  const auto list = FileList(environment_.account, id_, finger_, newVersion_);
  if (!list) {
    script.Remove();
    return {UpdateOutcome::kNoFileList, {}};
  }
  std::optional<UpdateResult> failure;
  const std::vector<Planned> plan = Plan(list->Records(), failure);
  if (failure) {
    script.Remove();
    return *failure;
  }

  std::vector<fs::path> staged;
  std::vector<const UpdateFileRecord*> downloaded;
  // Whatever goes wrong from here on leaves the folder as it was.
  const auto abandon = [&](UpdateOutcome outcome, std::string detail) {
    RemoveAll(staged);
    script.Remove();
    return UpdateResult{outcome, std::move(detail)};
  };
  for (const Planned& file : plan) {
    if (Stopping()) break;
    if (file.current) {
      Progress(file.record.size);
      continue;
    }
    std::string bytes;
    try {
      if (!Download(file.record, bytes))
        return abandon(UpdateOutcome::kDownloadFailed, Shown(file.record));
    } catch (const std::bad_alloc&) {
      return abandon(UpdateOutcome::kRefused, Shown(file.record));
    }
    const fs::path temporary = TemporaryPath(file.record);
    if (!WriteWhole(temporary, bytes))
      return abandon(UpdateOutcome::kNotWritten, temporary.lexically_normal().string());
    staged.push_back(temporary);
    downloaded.push_back(&file.record);
    if (!script.AddFile(file.record.dst, file.record.name))
      return abandon(UpdateOutcome::kNotWritten, scriptPath.string());
  }

  if (Stopping()) {
    // Left as it is: unfinished, never run; the staged files stay.
    script.Close();
    return {UpdateOutcome::kStopped, {}};
  }

  // Nothing is installed unless every downloaded file is what the list promised.
  for (std::size_t i = 0; i < downloaded.size(); ++i) {
    if (FileCrc32(staged[i]) != downloaded[i]->crc)
      return abandon(UpdateOutcome::kDamaged, Shown(*downloaded[i]));
  }
  if (!script.Finish()) return abandon(UpdateOutcome::kNotWritten, scriptPath.string());
  if (!environment_.launchScript || !environment_.launchScript(scriptPath))
    return abandon(UpdateOutcome::kNotStarted, scriptPath.string());
  if (environment_.endProcess) environment_.endProcess();
  return {UpdateOutcome::kHandedOver, {}};
}
