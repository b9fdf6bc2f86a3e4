// The HTTP head reader on arbitrary answers, against a plain restatement of
// its rule: the head ends at the first line without characters other than CR,
// and is accepted when "200" occurs in the bytes before its last line feed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "online/http_head.h"

namespace {

struct Expected {
  std::size_t consumed;
  bool accepted;
  bool complete;
  bool tooLong;
};

Expected Reference(std::string_view bytes) {
  std::size_t lineChars = 0;
  std::size_t lastLineFeed = std::string_view::npos;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == HttpHeadReader::kMaxHeadBytes) return {i + 1, false, false, true};
    if (bytes[i] == '\n') {
      lastLineFeed = i;
      const bool accepted = bytes.substr(0, i).find("200") != std::string_view::npos;
      if (lineChars == 0) return {i + 1, accepted, true, false};
      lineChars = 0;
    } else if (bytes[i] != '\r') {
      ++lineChars;
    }
  }
  const bool accepted = lastLineFeed != std::string_view::npos &&
                        bytes.substr(0, lastLineFeed).find("200") != std::string_view::npos;
  return {bytes.size(), accepted, false, false};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  HttpHeadReader head;
  std::size_t consumed = 0;
  for (const char byte : bytes) {
    ++consumed;
    if (head.Feed(byte) == HttpHeadReader::Step::kDone) break;
  }
  const Expected expected = Reference(bytes);
  if (consumed != expected.consumed || head.Accepted() != expected.accepted ||
      head.Complete() != expected.complete || head.TooLong() != expected.tooLong) {
    std::fprintf(stderr, "http_head_fuzzer: reader and rule disagree (consumed %zu/%zu)\n",
                 consumed, expected.consumed);
    std::abort();
  }
  return 0;
}
