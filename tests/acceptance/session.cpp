#include "session.h"

#include <signal.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int kPollMs = 150;
constexpr int kProgramStartMs = 60000;  // a sanitizer build starts slowly
constexpr int kMapMs = 30000;  // a sanitizer build under load can be slow to answer

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// What a working folder holds that a session must not inherit from another run.
bool LeftByARun(const fs::path& file) {
  const std::string name = file.filename().string();
  return name == "config.ini" || name == "archive.db" || name == "update.sh" ||
         name == "update.bat" || name.ends_with("_u") || name.ends_with("-journal");
}

}  // namespace

Session::Session(const std::string& name) : name_(name) {
  root_ = std::string(KELDAR_TEST_DIR) + "/acceptance/" + name;
  work_ = root_ + "/work";
  shots_ = root_ + "/shots";
  std::error_code ec;
  fs::remove_all(root_, ec);
  fs::create_directories(shots_);
  // The working folder a user gets from the build, without another run's files.
  fs::copy(KELDAR_BIN_DIR, work_, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  for (const auto& entry : fs::recursive_directory_iterator(work_)) {
    if (entry.is_regular_file() && LeftByARun(entry.path())) fs::remove(entry.path(), ec);
  }
  std::string error;
  x_ = XServer::Start(error);
  if (!x_) throw StepFailed("start: " + error);
}

Session::~Session() {
  program_.Stop();
  if (followed_ > 0) {
    ::kill(static_cast<pid_t>(followed_), SIGKILL);
  }
  simulator_.Stop();
}

std::string Session::StartSimulator(const std::vector<std::string>& meters,
                                    const std::vector<std::string>& options) {
  ChildProcess::Options o;
  o.arguments = {work_ + "/keldar-meter-sim", "--log", root_ + "/bus.log", "--state",
                 root_ + "/meters.ini"};
  o.arguments.insert(o.arguments.end(), options.begin(), options.end());
  for (const auto& m : meters)
    o.arguments.push_back(std::string(KELDAR_SOURCE_DIR) + "/tools/meter-sim/meters/" + m);
  o.output = root_ + "/simulator.out";
  const std::string error = simulator_.Start(o);
  if (!error.empty()) Fail("simulator: " + error);
  // The simulator prints its terminal first.
  for (int waited = 0; waited < 10000; waited += 50) {
    const std::string out = Slurp(o.output);
    const auto end = out.find('\n');
    if (end != std::string::npos) return out.substr(0, end);
    if (!simulator_.Running()) break;
    Sleep(50);
  }
  Fail("the simulator did not start: " + Slurp(o.output));
}

std::string Session::BusLog() const { return Slurp(root_ + "/bus.log"); }

int Session::CountInBusLog(const std::string& needle) const {
  const std::string log = BusLog();
  int count = 0;
  for (auto at = log.find(needle); at != std::string::npos; at = log.find(needle, at + 1)) ++count;
  return count;
}

std::vector<std::map<std::string, std::string>> Session::MeterState() const {
  std::vector<std::map<std::string, std::string>> stations;
  std::istringstream in(Slurp(root_ + "/meters.ini"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with("[")) {
      stations.emplace_back();
      continue;
    }
    const auto eq = line.find(" = ");
    if (eq != std::string::npos && !stations.empty())
      stations.back()[line.substr(0, eq)] = line.substr(eq + 3);
  }
  return stations;
}

void Session::WriteFile(const std::string& name, const std::string& text) const {
  std::ofstream out(Path(name), std::ios::binary);
  out << text;
}

std::string Session::ReadFile(const std::string& name) const { return Slurp(Path(name)); }

void Session::StartProgram(const std::string& ports, bool waitForWindow) {
  ChildProcess::Options o;
  o.arguments = {work_ + "/keldar"};
  o.directory = work_;
  o.output = root_ + "/keldar.out";
  o.setEnv = {{"DISPLAY", x_->Name()},
              {"QT_QPA_PLATFORM", "xcb"},
              {"KELDAR_UI_PROBE", Path("probe.txt")},
              {"KELDAR_SERIAL_PORTS", ports},
              {"LANG", "C.UTF-8"}};
  o.unsetEnv = {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "WAYLAND_DISPLAY"};
  std::error_code ec;
  fs::remove(Path("probe.txt"), ec);
  const std::string error = program_.Start(o);
  if (!error.empty()) Fail("program: " + error);
  if (!WaitForProbe(program_.Pid())) Fail("the program did not start: " + Slurp(o.output));
  if (waitForWindow) Need("TForm1", kProgramStartMs);
}

bool Session::WaitForProbe(long pid) {
  // Until its probe listens, SIGUSR1 would end the program: wait for the
  // first map it writes, with its own pid.
  for (int waited = 0; waited < kProgramStartMs; waited += 50) {
    if (WindowMap::Parse(Slurp(Path("probe.txt"))).Pid() == pid) return true;
    if (::kill(static_cast<pid_t>(pid), 0) != 0) return false;
    if (pid == program_.Pid() && !program_.Running()) return false;
    Sleep(50);
  }
  return false;
}

void Session::FollowProgram(long pid) {
  followed_ = pid;
  if (!WaitForProbe(pid)) Fail("the program " + std::to_string(pid) + " did not start");
}

bool Session::ProgramRunning() {
  if (followed_ > 0) return ::kill(static_cast<pid_t>(followed_), 0) == 0;
  return program_.Running();
}

std::vector<long> Session::OtherPrograms() const {
  std::vector<long> found;
  const fs::path program = fs::weakly_canonical(Path("keldar"));
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string pid = entry.path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::error_code ec;
    const fs::path exe = fs::read_symlink(entry.path() / "exe", ec);
    if (ec || exe != program) continue;
    // A zombie still shows its executable until it is reaped.
    const std::string stat = Slurp(entry.path().string() + "/stat");
    const auto close = stat.rfind(')');
    if (close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z') continue;
    if (std::stol(pid) != program_.Pid()) found.push_back(std::stol(pid));
  }
  return found;
}

WindowMap Session::Map() {
  const std::string file = Path("probe.txt");
  std::error_code ec;
  fs::remove(file, ec);
  const long pid = ProgramPid();
  // Running() reaps an ended program: a signal to a zombie would succeed unheard.
  if (pid <= 0 || !ProgramRunning() || ::kill(static_cast<pid_t>(pid), SIGUSR1) != 0)
    Fail("the program is not running: " + Slurp(root_ + "/keldar.out"));
  for (int waited = 0; waited < kMapMs; waited += 20) {
    if (Exists(file)) return WindowMap::Parse(Slurp(file));
    if (!ProgramRunning()) Fail("the program ended: " + Slurp(root_ + "/keldar.out"));
    Sleep(20);
  }
  Fail("the program did not answer the probe (busy or hung)");
}

WindowMap Session::WaitFor(const std::string& what,
                           const std::function<bool(const WindowMap&)>& ready, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    WindowMap map = Map();
    if (ready(map)) return map;
    if (std::chrono::steady_clock::now() > end)
      Fail("timed out waiting for " + what + "; the screen shows:\n" + map.Summary());
    Sleep(kPollMs);
  }
}

ScreenWidget Session::Need(const std::string& query, int timeoutMs) {
  const WindowMap map =
      WaitFor(query, [&](const WindowMap& m) { return m.Find(query) != nullptr; }, timeoutMs);
  return *map.Find(query);
}

void Session::Gone(const std::string& query, int timeoutMs) {
  WaitFor(
      query + " to go", [&](const WindowMap& m) { return m.FindAll(query).empty(); }, timeoutMs);
}

ScreenWidget Session::NeedMessageBox(int timeoutMs) {
  const WindowMap map = WaitFor(
      "a message box",
      [](const WindowMap& m) {
        for (const auto* w : m.Windows()) {
          if (w->kind == "QMessageBox") return true;
        }
        return false;
      },
      timeoutMs);
  for (const auto* w : map.Windows()) {
    if (w->kind == "QMessageBox") return *w;
  }
  Fail("a message box vanished");
}

namespace {

ScreenPoint At(QPoint point) { return {point.x(), point.y()}; }

}  // namespace

bool Session::Screenshot(const std::string& path) {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  if (!x_->Grab(width, height, pixels)) return false;
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x)
      line[x] = 0xFF000000u | pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                     static_cast<std::size_t>(x)];
  }
  return picture.save(QString::fromStdString(path), "PNG");
}

void Session::Click(const std::string& query) {
  const ScreenWidget widget = Need(query);
  x_->Click(At(widget.Centre()));
}

void Session::ClickAt(QPoint at) { x_->Click(At(at)); }

void Session::ClickText(const std::string& text) {
  const WindowMap map = WaitFor("\"" + text + "\" on the screen",
                                [&](const WindowMap& m) { return !m.WithText(text).empty(); });
  x_->Click(At(map.WithText(text).front()->Centre()));
}

void Session::Choose(const std::string& combo, const std::string& item) {
  Click(combo);
  const WindowMap map = WaitFor("\"" + item + "\" in the open list of " + combo,
                                [&](const WindowMap& m) { return m.Item(item) != nullptr; });
  x_->Click(At(map.Item(item)->Centre()));
  WaitFor(combo + " showing \"" + item + "\"", [&](const WindowMap& m) {
    const ScreenWidget* box = m.Find(combo);
    return box != nullptr && box->text == item;
  });
}

void Session::Key(const std::string& keysymName, bool shift) {
  if (!x_->Key(keysymName, shift)) Fail("no key " + keysymName);
}

void Session::Type(const std::string& text) {
  if (!x_->Type(text)) Fail("cannot type " + text);
}


void Session::Step(const std::string& name) {
  step_ = name;
  ++stepCount_;
  std::string file = (stepCount_ < 10 ? "0" : "") + std::to_string(stepCount_) + "-" + name;
  for (char& c : file) {
    if (c == ' ' || c == '/' || c == '"') c = '_';
  }
  Screenshot(shots_ + "/" + file + ".png");
  std::cout << "[ step ] " << name_ << ": " << name << std::endl;
}

void Session::Fail(const std::string& what) {
  throw StepFailed("step \"" + step_ + "\": " + what);
}

void Session::ScreenshotOnFailure() {
  Screenshot(shots_ + "/failed-" + std::to_string(stepCount_) + ".png");
  std::cout << "[ shot ] " << shots_ << "/failed-" << stepCount_ << ".png" << std::endl;
}
