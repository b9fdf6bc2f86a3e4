#include "master_port.h"

#include <algorithm>
#include <thread>

#include "frame_codec.h"
#include "link_timing.h"

namespace keldar::bus {

namespace {
constexpr int kMaxBaud = 4'000'000;
constexpr std::size_t kLongestExchange = 2 * (kMaxLongData + 3 + kLongOverhead);  // echo and answer
}  // namespace

MasterPort::MasterPort(const std::string& device_path, int baud, std::uint8_t target)
    : speed_(baud), target_(target) {
  if (baud > 0 && baud <= kMaxBaud) {
    line_ = SerialLine::Open(device_path, baud, &open_error_);
  } else {
    open_error_ = SerialLine::OpenError::kFailed;
  }
}

SerialLine::OpenError MasterPort::Error() const {
  if (!line_) return open_error_;
  return failed_ ? SerialLine::OpenError::kFailed : SerialLine::OpenError::kNone;
}

bool MasterPort::SetSpeed(int baud) {
  if (!Usable() || baud <= 0 || baud > kMaxBaud) return false;
  if (!line_->SetSpeed(baud)) {
    failed_ = true;
    return false;
  }
  speed_ = baud;
  return true;
}

bool MasterPort::Send(std::span<const std::uint8_t> request) {
  if (!Usable() || request.empty()) return false;
  std::this_thread::sleep_until(answer_end_ + timing::RequestGap(speed_));
  const std::vector<std::uint8_t> bytes = counter_.Stamp(request);
  line_->DiscardInput();
  const Clock::time_point start = Clock::now();
  if (!line_->Write(bytes)) {
    failed_ = true;
    return false;
  }
  // An adapter may report the bytes sent before they are on the wire.
  request_end_ = std::max(Clock::now(), start + timing::LineTime(bytes.size(), speed_));
  return true;
}

std::optional<std::vector<std::uint8_t>> MasterPort::Receive() {
  if (!Usable()) return std::nullopt;
  const auto window = timing::AnswerWindow(speed_);
  Clock::time_point deadline = std::max(request_end_, Clock::now()) + window;
  // A line that never falls silent (noise, a stuck adapter) still ends the read.
  const Clock::time_point give_up = deadline + window + timing::LineTime(kLongestExchange, speed_);
  std::vector<std::uint8_t> pending;
  for (;;) {
    const ScanResult scan = ScanFrame(pending);
    if (scan.outcome == ScanOutcome::kFound) {
      const auto first = pending.begin() + static_cast<std::ptrdiff_t>(scan.start);
      std::vector<std::uint8_t> frame(first, first + static_cast<std::ptrdiff_t>(scan.length));
      pending.erase(pending.begin(), first + static_cast<std::ptrdiff_t>(scan.length));
      const auto decoded = DecodeFrame(frame);
      if (decoded && IsFromMaster(*decoded)) continue;  // our own request, echoed
      answer_end_ = Clock::now();
      return frame;
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(scan.start));

    const auto now = Clock::now();
    if (now >= deadline || now >= give_up) return std::nullopt;
    const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(deadline - now);
    switch (line_->Read(pending, wait)) {
      case SerialLine::ReadResult::kData:
        deadline = Clock::now() + window;
        break;
      case SerialLine::ReadResult::kTimeout:
        break;
      case SerialLine::ReadResult::kFailed:
        failed_ = true;
        return std::nullopt;
    }
  }
}

}  // namespace keldar::bus
