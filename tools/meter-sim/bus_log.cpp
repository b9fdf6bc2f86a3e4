#include "bus_log.h"

namespace keldar::sim {

namespace {
constexpr std::uint8_t kFunctionMask = 0x0F;
constexpr std::uint8_t kRspUdFunction = 0x08;
}  // namespace

bool BusLog::Open(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "w"));
  return file_ != nullptr;
}

void BusLog::Request(int speed, const Bytes& bytes, const std::string& what, bool heard) {
  Line(speed, "M>", bytes, what);
  if (!heard) Line(speed, "S<", {}, "timeout");
}

void BusLog::Answer(int speed, const Bytes& bytes) {
  Line(speed, "S<", bytes, DescribeAnswer(bytes));
}

std::string DescribeAnswer(const Bytes& bytes) {
  if (bytes.size() == 1 && bytes[0] == kAck) return "E5";
  Bytes rest = bytes;
  std::size_t length = 0;
  const auto frame = TakeRequest(rest, length);
  if (!frame || length != bytes.size()) return "garbage";
  char text[48];
  if (frame->is_long && (frame->c & kFunctionMask) == kRspUdFunction) {
    std::snprintf(text, sizeof text, "RSP_UD a=%u ci=%02X", frame->a, frame->ci);
  } else if (frame->is_long) {
    std::snprintf(text, sizeof text, "C=%02X a=%u ci=%02X", frame->c, frame->a, frame->ci);
  } else {
    std::snprintf(text, sizeof text, "C=%02X a=%u", frame->c, frame->a);
  }
  return text;
}

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
