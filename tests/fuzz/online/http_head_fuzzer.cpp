// The HTTP head reader on arbitrary answers, against a plain restatement of
// its rule: the head ends at the first line without characters other than CR,
// and is accepted when its finished first line, short enough and without its
// trailing CRs, splits at blanks into a word "HTTP/…" and then the word "200".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "online/http_head.h"

namespace {

struct Expected {
  std::size_t consumed;
  bool accepted;
  bool complete;
  bool tooLong;
};

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i == line.size() || line[i] == ' ' || line[i] == '\t') {
      if (i > start) words.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  return words;
}

bool StatusAccepted(std::string_view bytes, std::size_t firstLineFeed) {
  if (firstLineFeed == std::string_view::npos) return false;
  std::string_view line = bytes.substr(0, firstLineFeed);
  if (line.size() > HttpHeadReader::kMaxStatusLineBytes) return false;
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line.front() == ' ' || line.front() == '\t') return false;
  const auto words = Words(line);
  return words.size() >= 2 && words[0].starts_with("HTTP/") && words[1] == "200";
}

Expected Reference(std::string_view bytes) {
  std::size_t lineChars = 0;
  const std::size_t firstLineFeed = bytes.find('\n');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == HttpHeadReader::kMaxHeadBytes) return {i + 1, false, false, true};
    if (bytes[i] == '\n') {
      if (lineChars == 0) return {i + 1, StatusAccepted(bytes, firstLineFeed), true, false};
      lineChars = 0;
    } else if (bytes[i] != '\r') {
      ++lineChars;
    }
  }
  return {bytes.size(), StatusAccepted(bytes, firstLineFeed), false, false};
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
