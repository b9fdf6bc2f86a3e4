#include "answer_assembler.h"

#include "frame_codec.h"

namespace keldar::bus {

void AnswerAssembler::Feed(std::span<const std::uint8_t> bytes, bool early) {
  for (const std::uint8_t byte : bytes) {
    // An echo follows the request byte for byte; a converter may deliver its
    // tail after the request has left.
    const bool echoing = !echo_broken_ && echoed_ < request_.size() && answer_.empty() &&
                         (early || echoed_ > 0) && byte == request_[echoed_];
    if (echoing) {
      ++echoed_;
      continue;
    }
    if (early) {
      echo_broken_ = true;  // a late answer to an earlier request, or noise
      continue;
    }
    answer_.push_back(byte);
  }
  DropLeadingMasterFrame();
}

void AnswerAssembler::DropLeadingMasterFrame() {
  const ScanResult scan = ScanFrame(answer_);
  if (scan.outcome != ScanOutcome::kFound || scan.start != 0) return;
  const auto frame = DecodeFrame(std::span(answer_).first(scan.length));
  if (!frame || !IsFromMaster(*frame)) return;
  answer_.erase(answer_.begin(), answer_.begin() + static_cast<std::ptrdiff_t>(scan.length));
}

AnswerAssembler::State AnswerAssembler::Current() const {
  if (answer_.empty()) return State::kEmpty;
  if (answer_[0] == kAckByte) return answer_.size() == 1 ? State::kAcknowledged : State::kGarbage;
  if (answer_[0] != kShortStart && answer_[0] != kLongStart) return State::kGarbage;
  const ScanResult scan = ScanFrame(answer_);
  if (scan.start != 0) return State::kGarbage;  // the first bytes start no valid frame
  switch (scan.outcome) {
    case ScanOutcome::kIncomplete:
      return State::kIncomplete;
    case ScanOutcome::kFound:
      return scan.length == answer_.size() ? State::kFrame : State::kGarbage;
    case ScanOutcome::kNothing:
      break;
  }
  return State::kGarbage;
}

}  // namespace keldar::bus
