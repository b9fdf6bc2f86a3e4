// The simulator's end of a pseudo-terminal. The master side (our program)
// holds the other end open, so the slave path survives the library closing
// and reopening it; the line speed the library sets is read back here.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "wire.h"

namespace keldar::sim {

class PtyPort {
 public:
  using Clock = std::chrono::steady_clock;

  static std::optional<PtyPort> Open(std::string& error);
  PtyPort(PtyPort&& other) noexcept;
  PtyPort& operator=(PtyPort&&) = delete;
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;
  ~PtyPort();

  const std::string& Path() const { return path_; }
  int LineSpeed() const;
  int Descriptor() const { return master_; }

  // Appends what arrives within `wait` (forever when negative); false on error.
  bool Read(Bytes& into, std::chrono::milliseconds wait);
  // Sends the bytes; with `paced`, each byte leaves when a real line at `baud`
  // would have finished it, counting from `start`.
  bool Write(const Bytes& bytes, bool paced, Clock::time_point start, int baud);

 private:
  PtyPort(int master, int slave, std::string path)
      : master_(master), slave_(slave), path_(std::move(path)) {}
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

// Time a real line needs for `bytes` characters of 11 bits at `baud`.
std::chrono::microseconds LineTime(std::size_t bytes, int baud);

}  // namespace keldar::sim
