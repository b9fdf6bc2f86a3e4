#include "wire.h"

#include <numeric>

namespace keldar::sim {

namespace {

std::uint8_t Sum(Bytes::const_iterator first, Bytes::const_iterator last) {
  return static_cast<std::uint8_t>(std::accumulate(first, last, 0u));
}

enum class Verdict { kRequest, kNotAFrame, kNeedMore };

Verdict Examine(const Bytes& in, Request& out, std::size_t& length) {
  if (in[0] == 0x10) {
    if (in.size() < 5) return Verdict::kNeedMore;
    if (in[4] != 0x16 || static_cast<std::uint8_t>(in[1] + in[2]) != in[3]) {
      return Verdict::kNotAFrame;
    }
    out = Request{false, in[1], in[2], 0, {}};
    length = 5;
    return Verdict::kRequest;
  }
  if (in[0] == 0x68) {
    if (in.size() < 4) return Verdict::kNeedMore;
    const std::size_t l = in[1];
    if (in[2] != l || in[3] != 0x68 || l < 3) return Verdict::kNotAFrame;
    if (in.size() < l + 6) return Verdict::kNeedMore;
    const auto body = in.begin() + 4;
    if (in[l + 5] != 0x16 || Sum(body, body + static_cast<std::ptrdiff_t>(l)) != in[l + 4]) {
      return Verdict::kNotAFrame;
    }
    out = Request{true, in[4], in[5], in[6], Bytes(in.begin() + 7, in.begin() + 4 + l)};
    length = l + 6;
    return Verdict::kRequest;
  }
  return Verdict::kNotAFrame;
}

}  // namespace

std::optional<Request> TakeRequest(Bytes& input, std::size_t& frame_length) {
  while (!input.empty()) {
    Request request;
    std::size_t length = 0;
    switch (Examine(input, request, length)) {
      case Verdict::kNeedMore:
        return std::nullopt;
      case Verdict::kNotAFrame:
        input.erase(input.begin());
        break;
      case Verdict::kRequest:
        input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(length));
        frame_length = length;
        return request;
    }
  }
  return std::nullopt;
}

Bytes LongFrame(std::uint8_t c, std::uint8_t a, std::uint8_t ci, const Bytes& data) {
  const auto l = static_cast<std::uint8_t>(data.size() + 3);
  Bytes frame;
  frame.reserve(data.size() + 9);
  for (std::uint8_t b : {std::uint8_t{0x68}, l, l, std::uint8_t{0x68}, c, a, ci}) {
    frame.push_back(b);
  }
  for (std::uint8_t b : data) frame.push_back(b);
  frame.push_back(Sum(frame.begin() + 4, frame.end()));
  frame.push_back(0x16);
  return frame;
}

}  // namespace keldar::sim
