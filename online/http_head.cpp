#include "online/http_head.h"

HttpHeadReader::Step HttpHeadReader::Feed(char byte) {
  if (complete_ || tooLong_) return Step::kDone;
  if (size_ == kMaxHeadBytes) {
    tooLong_ = true;
    accepted_ = false;
    return Step::kDone;
  }
  ++size_;

  if (byte == '\n') {
    // The line feed itself is not part of the searched head; it cannot be part
    // of "200" either, so the running flag is exact here.
    const bool blank = lineChars_ == 0;
    lineChars_ = 0;
    accepted_ = seen200_;
    previous_[0] = previous_[1];
    previous_[1] = byte;
    if (blank) {
      complete_ = true;
      return Step::kDone;
    }
    return Step::kMore;
  }

  if (byte != '\r') ++lineChars_;
  if (previous_[0] == '2' && previous_[1] == '0' && byte == '0') seen200_ = true;
  previous_[0] = previous_[1];
  previous_[1] = byte;
  return Step::kMore;
}
