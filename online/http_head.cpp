#include "online/http_head.h"

#include <string_view>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// "HTTP/1.0 200 OK", "HTTP/1.1 200": the second word is exactly "200".
bool StatusIs200(std::string_view line) {
  if (!line.starts_with("HTTP/")) return false;
  const auto versionEnd = line.find_first_of(" \t");
  if (versionEnd == std::string_view::npos) return false;
  std::string_view rest = line.substr(versionEnd);
  while (!rest.empty() && IsSpace(rest.front())) rest.remove_prefix(1);
  if (!rest.starts_with("200")) return false;
  rest.remove_prefix(3);
  return rest.empty() || IsSpace(rest.front());
}

}  // namespace

void HttpHeadReader::EndStatusLine() {
  inStatusLine_ = false;
  std::string_view line(status_, statusSize_);
  while (line.ends_with('\r')) line.remove_suffix(1);
  accepted_ = !statusOverflow_ && StatusIs200(line);
}

HttpHeadReader::Step HttpHeadReader::Feed(char byte) {
  if (complete_ || tooLong_) return Step::kDone;
  if (size_ == kMaxHeadBytes) {
    tooLong_ = true;
    accepted_ = false;
    return Step::kDone;
  }
  ++size_;

  if (byte == '\n') {
    const bool blank = lineChars_ == 0;
    lineChars_ = 0;
    if (inStatusLine_) EndStatusLine();
    if (blank) {
      complete_ = true;
      return Step::kDone;
    }
    return Step::kMore;
  }
  if (byte != '\r') ++lineChars_;
  if (inStatusLine_) {
    if (statusSize_ < kMaxStatusLineBytes)
      status_[statusSize_++] = byte;
    else
      statusOverflow_ = true;
  }
  return Step::kMore;
}
