// The simulator's end of a pseudo-terminal. The master side (our program)
// holds the other end open, so the slave path survives the library closing
// and reopening it; the line speed the library sets is read back here.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "sim_line.h"

namespace keldar::sim {

class PtyPort final : public SimLine {
 public:
  static std::optional<PtyPort> Open(std::string& error);
  PtyPort(PtyPort&& other) noexcept;
  PtyPort& operator=(PtyPort&&) = delete;
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;
  ~PtyPort() override;

  const std::string& Path() const { return path_; }
  int LineSpeed() const override;
  int Descriptor() const { return master_; }

  bool Read(Bytes& into, std::chrono::milliseconds wait) override;
  bool Write(const Bytes& bytes, bool paced, Clock::time_point start, int baud) override;

 private:
  PtyPort(int master, int slave, std::string path)
      : master_(master), slave_(slave), path_(std::move(path)) {}
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

}  // namespace keldar::sim
