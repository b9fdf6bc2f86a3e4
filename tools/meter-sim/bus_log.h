// A plain-text record of the bus traffic: one line per frame, with the time
// since start, the line speed and the bytes.
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

}  // namespace keldar::sim
