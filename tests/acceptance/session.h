// One user's session with the real program: a private X display, a copy of
// the working folder, the meter simulator on a pseudo-terminal, and the
// program itself, driven by pointer clicks and key presses only. Every step
// leaves a screenshot; a step that fails throws StepFailed naming itself.
#pragma once

#include <QPoint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"
#include "window_map.h"
#include "x_server.h"

struct StepFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Session {
 public:
  explicit Session(const std::string& name);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // --- the world around the program
  // Starts the simulator with these meter files (names in the meter folder);
  // returns the pseudo-terminal's path.
  std::string StartSimulator(const std::vector<std::string>& meters,
                             const std::vector<std::string>& options = {});
  std::string BusLog() const;
  int CountInBusLog(const std::string& needle) const;
  // The simulator's stations, in bus order: "primary_address" → "1", …
  std::vector<std::map<std::string, std::string>> MeterState() const;

  const std::string& WorkingFolder() const { return work_; }
  const std::string& ShotFolder() const { return shots_; }
  void WriteFile(const std::string& name, const std::string& text) const;
  std::string ReadFile(const std::string& name) const;

  // --- the program
  // `ports` is what the port list offers first (KELDAR_SERIAL_PORTS).
  void StartProgram(const std::string& ports, bool waitForWindow = true);
  // Follows another instance of the program in the working folder (after an update).
  void FollowProgram(long pid);
  long ProgramPid() const { return followed_ > 0 ? followed_ : program_.Pid(); }
  bool ProgramRunning();
  // Processes other than the one started whose executable is the folder's keldar.
  std::vector<long> OtherPrograms() const;

  // --- looking
  WindowMap Map();
  WindowMap WaitFor(const std::string& what, const std::function<bool(const WindowMap&)>& ready,
                    int timeoutMs = 20000);
  // Waits for one visible widget that `query` names.
  ScreenWidget Need(const std::string& query, int timeoutMs = 20000);
  // Waits until no visible widget answers `query`.
  void Gone(const std::string& query, int timeoutMs = 20000);
  // Waits for a message box and gives its text.
  ScreenWidget NeedMessageBox(int timeoutMs = 20000);

  // --- acting
  void Click(const std::string& query);
  void ClickAt(QPoint at);
  void ClickText(const std::string& text);  // a visible widget with this text (a message-box button)
  // Opens the drop-down `combo` and clicks its row `item`.
  void Choose(const std::string& combo, const std::string& item);
  void Key(const std::string& keysymName, bool shift = false);
  void Type(const std::string& text);

  // --- record
  void Step(const std::string& name);
  [[noreturn]] void Fail(const std::string& what);
  void ScreenshotOnFailure();
  bool Screenshot(const std::string& path);

 private:
  std::string Path(const std::string& name) const { return work_ + "/" + name; }
  bool WaitForProbe(long pid);

  std::string name_;
  std::string root_;
  std::string work_;
  std::string shots_;
  std::string step_ = "start";
  int stepCount_ = 0;
  std::unique_ptr<XServer> x_;
  ChildProcess simulator_;
  ChildProcess program_;
  long followed_ = 0;
};
