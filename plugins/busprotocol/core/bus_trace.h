// A port's exchanges written down for support: one line per request and per
// answer, laid out as the simulator's bus log so the two compare line by line:
//   "%8lld %6d %s" (ms since the trace began, line speed, "M>" or "S<"),
//   " %02X" per byte, then "  ; " and the frame's reading.
// Lines are kept in memory and written only when the caller says the line is
// idle, so the file never delays an answer.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace keldar::bus {

class BusTrace {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::size_t kSizeLimit = 10 * 1024 * 1024;

  // What came back for a request.
  enum class Heard { kNothing, kFrame, kGarbage, kLineFailed };

  // Starts a new file at `path` (replacing one there); nullptr when it cannot
  // be written. The file never grows past `size_limit` bytes.
  static std::unique_ptr<BusTrace> Open(const std::string& path,
                                        std::size_t size_limit = kSizeLimit);
  ~BusTrace();
  BusTrace(const BusTrace&) = delete;
  BusTrace& operator=(const BusTrace&) = delete;

  void Request(Clock::time_point at, int speed, std::span<const std::uint8_t> bytes);
  void Answer(Clock::time_point at, int speed, Heard heard, std::span<const std::uint8_t> bytes);
  // Formats and writes what was recorded since the last call.
  void Flush();

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  struct Entry {
    Clock::time_point at;
    int speed = 0;
    bool request = false;
    Heard heard = Heard::kNothing;
    std::vector<std::uint8_t> bytes;
  };

  BusTrace(std::FILE* file, std::size_t size_limit);
  std::string Line(const Entry& entry) const;
  void Write(const std::string& line);

  std::unique_ptr<std::FILE, Closer> file_;
  std::size_t size_limit_;
  std::size_t written_ = 0;
  bool stopped_ = false;
  Clock::time_point start_ = Clock::now();
  std::vector<Entry> pending_;
};

}  // namespace keldar::bus
