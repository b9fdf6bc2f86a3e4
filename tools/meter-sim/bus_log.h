// A plain-text record of the bus traffic: one line per frame, with the time
// since start, the line speed, the bytes and a reading of the frame. The
// program's bus trace uses the same layout, so the two compare line by line:
//   "%8lld %6d %s" (ms, speed, "M>" or "S<"), " %02X" per byte, "  ; reading"
#pragma once

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "wire.h"

namespace keldar::sim {

class BusLog {
 public:
  BusLog() = default;
  // Opens `path` for writing; false when it cannot.
  bool Open(const std::string& path);
  // A request unheard by every station is followed by an answer line without
  // bytes, "timeout", as the master sees it.
  void Request(int speed, const Bytes& bytes, const std::string& what, bool heard);
  void Answer(int speed, const Bytes& bytes);

 private:
  void Line(int speed, const char* direction, const Bytes& bytes, const std::string& note);
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// "E5", "RSP_UD a=7 ci=72", or "garbage" when the bytes make no single frame
// (several stations at once, noise).
std::string DescribeAnswer(const Bytes& bytes);

}  // namespace keldar::sim
