#include "bus_log.h"

namespace keldar::sim {

bool BusLog::Open(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "w"));
  return file_ != nullptr;
}

void BusLog::Request(int speed, const Bytes& bytes, const std::string& what, bool heard) {
  Line(speed, "M>", bytes, heard ? what : what + " (no answer)");
}

void BusLog::Answer(int speed, const Bytes& bytes) { Line(speed, "S<", bytes, ""); }

void BusLog::Line(int speed, const char* direction, const Bytes& bytes, const std::string& note) {
  if (!file_) return;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start_)
                      .count();
  std::fprintf(file_.get(), "%8lld %6d %s", static_cast<long long>(ms), speed, direction);
  for (std::uint8_t b : bytes) std::fprintf(file_.get(), " %02X", b);
  if (!note.empty()) std::fprintf(file_.get(), "  ; %s", note.c_str());
  std::fputc('\n', file_.get());
  std::fflush(file_.get());
}

}  // namespace keldar::sim
