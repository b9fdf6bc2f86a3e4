#include "bus.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace keldar::sim {

namespace {

constexpr std::uint8_t kSndNke = 0x40;
constexpr std::uint8_t kFromMaster = 0x40;
constexpr std::uint8_t kCountBit = 0x20;
constexpr std::uint8_t kCountValid = 0x10;
constexpr std::uint8_t kReqUd2Function = 0x0B;
constexpr std::uint8_t kSndUdFunction = 0x03;
constexpr std::uint8_t kSelection = 0x52;
constexpr std::uint8_t kDeselection = 0x56;
constexpr std::uint8_t kSelectedAddress = 253;
constexpr std::uint8_t kBroadcast = 255;

// M-Bus answers by pulling the line to space: when two stations send at
// once, a 0 bit from either wins.
Bytes Collide(const std::vector<Bytes>& answers) {
  std::size_t longest = 0;
  for (const auto& a : answers) longest = std::max(longest, a.size());
  Bytes line(longest, 0xFF);
  for (const auto& a : answers) {
    for (std::size_t i = 0; i < a.size(); ++i) line[i] &= a[i];
  }
  return line;
}

// Random bytes with an acknowledgement among them, never alone: what a line
// without a meter but with interference brings back.
Bytes Noise(std::size_t count, std::mt19937& random) {
  Bytes bytes(std::max<std::size_t>(count, 2));
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  bytes[random() % bytes.size()] = kAck;
  return bytes;
}

}  // namespace

Bus::Bus(std::vector<MeterDescription> meters) : meters_(std::move(meters)) {
  for (const auto& meter : meters_) {
    if (meter.noise > 0) continue;  // interference, not a station
    auto station = std::make_unique<Device>(meter);
    Device* parent = station.get();
    stations_.push_back(std::move(station));
    for (int input = 0; input < 2; ++input) {
      if (!meter.inputs[input]) continue;
      auto sub = std::make_unique<Device>(meter, parent, input);
      parent->inputs_[input] = sub.get();
      stations_.push_back(std::move(sub));
    }
  }
}

Bus::Reply Bus::Handle(const Request& r, int line_speed) {
  std::vector<Device*> hearing;
  for (const auto& s : stations_) {
    if (s->Present() && s->Speed() == line_speed) hearing.push_back(s.get());
  }
  std::vector<Bytes> answers;
  int delay = 0;
  const auto answer = [&](Device* station, Bytes bytes) {
    if (bytes.empty()) return;
    answers.push_back(std::move(bytes));
    delay = std::max(delay, station->ReplyDelayMs());
  };

  if (r.is_long && r.ci == kSelection && r.a == kSelectedAddress) {
    for (Device* s : hearing) {
      if (s->ApplySelection(r.data)) answer(s, {kAck});
    }
  } else if (r.is_long && r.ci == kDeselection && r.a == kSelectedAddress) {
    for (Device* s : hearing) {
      if (!s->Selected() || !s->LeavesSelectionOnReset()) continue;
      s->Deselect();
      answer(s, {kAck});
    }
  } else if ((r.c & kFromMaster) != 0) {
    for (Device* s : hearing) {
      if (!s->Hears(r.a)) continue;
      const std::uint8_t function = r.c & 0x0F;
      if (!r.is_long && r.c == kSndNke) {
        answer(s, s->LinkReset());
        // Acknowledged first, then the selection is gone.
        if (r.a == kSelectedAddress && s->LeavesSelectionOnReset()) s->Deselect();
      } else if (!r.is_long && function == kReqUd2Function) {
        answer(s, s->RequestUserData((r.c & kCountValid) != 0, (r.c & kCountBit) != 0));
      } else if (r.is_long && function == kSndUdFunction) {
        answer(s, s->SendUserData(r.ci, r.data));
      }
    }
  }
  if (r.a == kBroadcast) answers.clear();  // nobody answers a broadcast
  // Interference comes whoever the request was for.
  for (const auto& meter : meters_) {
    if (meter.noise == 0) continue;
    answers.push_back(Noise(meter.noise, random_));
    delay = std::max(delay, meter.reply_delay_ms);
  }
  if (answers.empty()) return {};
  return {answers.size() == 1 ? answers.front() : Collide(answers), delay};
}

void Bus::AfterReply() {
  for (auto& s : stations_) s->ApplyPendingSpeed();
}

std::string Bus::StateText() const {
  std::string text;
  for (std::size_t i = 0; i < stations_.size(); ++i) {
    if (!stations_[i]->Present()) continue;
    text += "[station" + std::to_string(i) + "]\n" + stations_[i]->StateText();
  }
  return text;
}

std::string DescribeRequest(const Request& r) {
  char text[64];
  const std::uint8_t function = r.c & 0x0F;
  if (!r.is_long && r.c == kSndNke) {
    std::snprintf(text, sizeof text, "SND_NKE a=%u", r.a);
  } else if (!r.is_long && function == kReqUd2Function) {
    std::snprintf(text, sizeof text, "REQ_UD2 a=%u fcb=%d", r.a, (r.c & kCountBit) != 0);
  } else if (r.is_long && r.a == kSelectedAddress && r.ci == kSelection) {
    std::snprintf(text, sizeof text, "selection");
  } else if (r.is_long && function == kSndUdFunction) {
    std::snprintf(text, sizeof text, "SND_UD a=%u ci=%02X", r.a, r.ci);
  } else if (r.is_long) {
    std::snprintf(text, sizeof text, "C=%02X a=%u ci=%02X", r.c, r.a, r.ci);
  } else {
    std::snprintf(text, sizeof text, "C=%02X a=%u", r.c, r.a);
  }
  return text;
}

}  // namespace keldar::sim
