#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "online/installer_script.h"
#include "online/remote_api.h"
#include "online/update_chunks.h"
#include "online/update_record.h"

class BrandProfile;

// What an update needs besides the three texts of the start-up check: the
// server, the script's flavour and the hand-over. Tests replace the hand-over
// (so that the test process is not ended) and the clock.
struct UpdateEnvironment {
  RemoteAccount account;
  std::string windowTitle;  // the brand's LocalDatabase (Windows start line)
  ScriptFlavour flavour = ScriptFlavour::kPosix;
  std::string programName = "keldar";
  int scriptDelaySeconds = 5;
  // Starts the finished script detached; false when it could not be started.
  std::function<bool(const std::filesystem::path& script)> launchScript;
  // Ends the process at once, without clean-up. Returns only in tests.
  std::function<void()> endProcess;
  // Milliseconds of a steady clock, for timing the chunks.
  std::function<std::chrono::milliseconds()> ticks;
  // Pause before a chunk is asked for again after no answer.
  std::chrono::milliseconds retryPause{200};
  // A chunk that has not come after this many tries in a row, or a download
  // that has gained nothing for this long, ends the update.
  int chunkAttempts = 5;
  std::chrono::milliseconds stallLimit{30000};

  // The edition's server; the script run with /bin/sh, then _exit(0).
  static UpdateEnvironment FromProfile(const BrandProfile& profile);
};

enum class UpdateOutcome {
  kHandedOver,         // the script was started and the process ended
  kStopped,            // stopped on request: script left unfinished and not run
  kNoFileList,         // the file list could not be fetched; nothing downloaded
  kRefused,            // the file list holds a record that is not acted on; nothing downloaded
  kFolderNotWritable,  // found out before anything was downloaded
  kNotWritten,         // a staged file or the script could not be written
  kDownloadFailed,     // a chunk did not come within the bounds; nothing installed
  kDamaged,            // downloaded bytes differ from their "crc"; nothing installed
  kNotStarted,         // the script could not be started; nothing installed
};

struct UpdateResult {
  UpdateOutcome outcome = UpdateOutcome::kStopped;
  std::string detail;                            // the file or folder concerned
  RecordProblem problem = RecordProblem::kNone;  // why, when kRefused
};

// The sum of "size" over the file list of `newVersion`, for the gauge's maximum;
// 0 without a usable answer. Blocks while it asks the server, at most `budget`.
std::int64_t FileListTotal(const RemoteAccount& account, std::string_view id,
                           std::string_view finger, std::string_view newVersion,
                           std::chrono::milliseconds budget);

// One update, run in the working folder: the file list, the local CRC check,
// the chunked downloads staged as "<name>_u", the installer script, the check
// of the downloaded bytes, the hand-over. Touches no widget: progress goes out
// through `progress`, which the caller delivers to the screen.
class UpdateRun {
 public:
  UpdateRun(const UpdateEnvironment& environment, std::string id, std::string finger,
            std::string newVersion, std::stop_token stop,
            std::function<void(std::int32_t step)> progress);

  UpdateResult Run();

 private:
  struct Planned;
  std::vector<Planned> Plan(const std::vector<const JSONObject*>& records,
                            std::optional<UpdateResult>& failure);
  // False when a chunk did not come within the bounds; true when done or stopped.
  bool Download(const UpdateFileRecord& file, std::string& bytes);
  void PauseBeforeRetry() const;
  void Progress(std::int64_t step);
  std::chrono::milliseconds Now() const;
  bool Stopping() const { return stop_.stop_requested(); }

  const UpdateEnvironment& environment_;
  std::string id_;
  std::string finger_;
  std::string newVersion_;
  std::stop_token stop_;
  std::function<void(std::int32_t)> progress_;
  ChunkLength chunks_;  // carried from one file to the next
};
