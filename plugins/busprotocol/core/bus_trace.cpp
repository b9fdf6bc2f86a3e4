#include "bus_trace.h"

#include "frame_reading.h"

namespace keldar::bus {

namespace {

std::string StopLine(std::size_t limit) {
  return "; trace stopped: it reached its size limit of " + std::to_string(limit) + " bytes\n";
}

}  // namespace

std::unique_ptr<BusTrace> BusTrace::Open(const std::string& path, std::size_t size_limit) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return nullptr;
  return std::unique_ptr<BusTrace>(new BusTrace(file, size_limit));
}

BusTrace::BusTrace(std::FILE* file, std::size_t size_limit)
    : file_(file), size_limit_(size_limit) {}

BusTrace::~BusTrace() { Flush(); }

void BusTrace::Request(Clock::time_point at, int speed, std::span<const std::uint8_t> bytes) {
  if (stopped_) return;
  pending_.push_back({at, speed, true, Heard::kFrame, {bytes.begin(), bytes.end()}});
}

void BusTrace::Answer(Clock::time_point at, int speed, Heard heard,
                      std::span<const std::uint8_t> bytes) {
  if (stopped_) return;
  pending_.push_back({at, speed, false, heard, {bytes.begin(), bytes.end()}});
}

void BusTrace::Flush() {
  for (const Entry& entry : pending_) Write(Line(entry));
  pending_.clear();
  if (file_) std::fflush(file_.get());
}

std::string BusTrace::Line(const Entry& e) const {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(e.at - start_).count();
  char head[40];
  std::snprintf(head, sizeof head, "%8lld %6d %s", static_cast<long long>(ms), e.speed,
                e.request ? "M>" : "S<");
  std::string line = head;
  for (std::uint8_t b : e.bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", b);
    line += hex;
  }
  line += "  ; ";
  if (e.request) {
    line += ReadRequest(e.bytes);
  } else {
    switch (e.heard) {
      case Heard::kNothing:
        line += "timeout";
        break;
      case Heard::kFrame:
        line += ReadAnswer(e.bytes);
        break;
      case Heard::kGarbage:
        line += "garbage";
        break;
      case Heard::kLineFailed:
        line += "the port failed";
        break;
    }
  }
  line += '\n';
  return line;
}

void BusTrace::Write(const std::string& line) {
  if (stopped_ || !file_) return;
  // The last line that fits says why nothing follows.
  const std::string stop = StopLine(size_limit_);
  if (written_ + line.size() + stop.size() > size_limit_) {
    stopped_ = true;
    if (written_ + stop.size() <= size_limit_) {
      std::fputs(stop.c_str(), file_.get());
      written_ += stop.size();
    }
    return;
  }
  if (std::fputs(line.c_str(), file_.get()) < 0) {
    stopped_ = true;  // a full disk: the bus goes on without its trace
    return;
  }
  written_ += line.size();
}

}  // namespace keldar::bus
