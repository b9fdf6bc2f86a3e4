#include "master_port.h"

#include <algorithm>
#include <thread>

#include "answer_assembler.h"
#include "base/bus/gateway_address.h"
#include "frame_codec.h"
#include "link_timing.h"
#include "serial_line.h"
#include "tcp_line.h"

namespace keldar::bus {

namespace {
constexpr int kMaxBaud = 4'000'000;
constexpr std::size_t kLongestExchange = 2 * (kMaxLongData + 3 + kLongOverhead);  // echo and answer
constexpr auto kLongestNetworkAllowance = std::chrono::seconds(5);

std::unique_ptr<BusLine> OpenLine(const std::string& device_path, int baud, LineOpenError& error) {
  if (mbus::IsGatewayPath(device_path)) {
    const auto address = mbus::ParseGatewayAddress(device_path);
    if (!address) {
      error = LineOpenError::kNotFound;
      return nullptr;
    }
    return TcpLine::Open(*address, TcpLine::kConnectLimit, &error);
  }
  auto serial = SerialLine::Open(device_path, baud, &error);
  if (!serial) return nullptr;
  return std::make_unique<SerialLine>(std::move(*serial));
}

}  // namespace

MasterPort::MasterPort(const std::string& device_path, int baud, std::uint8_t target)
    : on_network_(mbus::IsGatewayPath(device_path)), speed_(baud), target_(target) {
  if (on_network_) network_allowance_ = timing::kNetworkAllowance;
  if (baud > 0 && baud <= kMaxBaud) {
    line_ = OpenLine(device_path, baud, open_error_);
  } else {
    open_error_ = LineOpenError::kFailed;
  }
}

MasterPort::~MasterPort() { TraceUnansweredRequest(); }

bool MasterPort::SetTrace(const std::string& path, std::size_t size_limit) {
  TraceUnansweredRequest();
  trace_.reset();
  if (path.empty()) return true;
  trace_ = BusTrace::Open(path, size_limit);
  return trace_ != nullptr;
}

void MasterPort::TraceExchange(BusTrace::Heard heard, std::span<const std::uint8_t> answer) {
  if (!trace_) return;
  if (request_untraced_) trace_->Request(request_start_, speed_, request_);
  request_untraced_ = false;
  trace_->Answer(answer_end_, speed_, heard, answer);
  trace_->Flush();
}

void MasterPort::TraceUnansweredRequest() {
  if (!trace_ || !request_untraced_) return;
  request_untraced_ = false;
  trace_->Request(request_start_, speed_, request_);
  trace_->Flush();
}

LineOpenError MasterPort::Error() const {
  if (!line_) return open_error_;
  return failed_ ? LineOpenError::kFailed : LineOpenError::kNone;
}

bool MasterPort::SetLateAnswerGuard(std::chrono::milliseconds guard) {
  if (guard.count() < 0 || guard > std::chrono::seconds(1)) return false;
  late_answer_guard_ = guard;
  return true;
}

bool MasterPort::SetNetworkAllowance(std::chrono::milliseconds allowance) {
  if (!on_network_ || allowance.count() < 0 || allowance > kLongestNetworkAllowance) return false;
  network_allowance_ = allowance;
  return true;
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
  // A request nobody read an answer to still belongs in the trace.
  TraceUnansweredRequest();
  std::this_thread::sleep_until(answer_end_ + timing::RequestGap(speed_));
  DropLateAnswers();
  if (!Usable()) return false;
  request_ = counter_.Stamp(request);
  line_->DiscardInput();
  const Clock::time_point start = Clock::now();
  if (!line_->Write(request_)) {
    failed_ = true;
    return false;
  }
  request_start_ = start;
  request_untraced_ = trace_ != nullptr;
  earliest_answer_ = start + timing::LineTime(request_.size(), speed_);
  // An adapter may report the bytes sent before they are on the wire.
  request_end_ = std::max(Clock::now(), earliest_answer_);
  return true;
}

void MasterPort::DropLateAnswers() {
  for (;;) {
    const auto now = Clock::now();
    if (now >= late_until_) return;
    std::vector<std::uint8_t> late;
    switch (line_->Read(late,
                        std::chrono::duration_cast<std::chrono::microseconds>(late_until_ - now))) {
      case BusLine::ReadResult::kData:
        late_until_ = std::max(late_until_, Clock::now() + timing::AnswerEndSilence(speed_));
        break;
      case BusLine::ReadResult::kTimeout:
        break;
      case BusLine::ReadResult::kFailed:
        failed_ = true;
        return;
    }
  }
}

MasterPort::Answer MasterPort::Receive() {
  using State = AnswerAssembler::State;
  if (!Usable()) return {};
  // A gateway's network delays the answer, and may split it into packets.
  const auto window = timing::AnswerWindow(speed_) + network_allowance_;
  const auto end_silence = timing::AnswerEndSilence(speed_) + network_allowance_ / 4;
  Clock::time_point deadline = std::max(request_end_, Clock::now()) + window;
  // A line that never falls silent (noise, a stuck adapter) still ends the read.
  const Clock::time_point give_up = deadline + window + timing::LineTime(kLongestExchange, speed_);
  AnswerAssembler answer(request_);
  const auto finish = [&](Answer::Kind kind) {
    answer_end_ = Clock::now();
    if (kind == Answer::Kind::kNothing) late_until_ = answer_end_ + late_answer_guard_;
    // Written after the answer is complete: the request gap after it still
    // runs from answer_end_, so the file takes nothing from the line.
    TraceExchange(kind == Answer::Kind::kFrame     ? BusTrace::Heard::kFrame
                  : kind == Answer::Kind::kGarbage ? BusTrace::Heard::kGarbage
                                                   : BusTrace::Heard::kNothing,
                  answer.Bytes());
    return Answer{kind, answer.Bytes()};
  };
  for (;;) {
    const State state = answer.Current();
    if (state == State::kFrame) return finish(Answer::Kind::kFrame);
    const auto now = Clock::now();
    if (now >= deadline || now >= give_up) {
      switch (state) {
        case State::kEmpty:
          return finish(Answer::Kind::kNothing);
        case State::kAcknowledged:
          return finish(Answer::Kind::kFrame);
        default:
          return finish(Answer::Kind::kGarbage);
      }
    }
    std::vector<std::uint8_t> chunk;
    const auto wait =
        std::chrono::duration_cast<std::chrono::microseconds>(std::min(deadline, give_up) - now);
    switch (line_->Read(chunk, wait)) {
      case BusLine::ReadResult::kData: {
        const Clock::time_point arrived = Clock::now();
        answer.Feed(chunk, arrived < earliest_answer_);
        // A frame in progress may pause up to a window; after an E5 or
        // garbage, a short silence says the answer is over.
        const State next = answer.Current();
        if (next == State::kAcknowledged || next == State::kGarbage) {
          deadline = arrived + end_silence;
        } else if (next != State::kEmpty) {
          deadline = arrived + window;
        }
        break;
      }
      case BusLine::ReadResult::kTimeout:
        break;
      case BusLine::ReadResult::kFailed:
        failed_ = true;
        answer_end_ = Clock::now();
        TraceExchange(BusTrace::Heard::kLineFailed, {});
        return {};
    }
  }
}

}  // namespace keldar::bus
