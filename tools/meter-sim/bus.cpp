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

std::vector<Transmission> Bus::Handle(const Request& r, int line_speed) {
  std::vector<Device*> hearing;
  for (const auto& s : stations_) {
    if (s->Present() && s->Speed() == line_speed) hearing.push_back(s.get());
  }
  std::vector<Transmission> answers;
  const auto answer = [&](Device* station, Bytes bytes) {
    if (bytes.empty()) return;
    answers.push_back({std::chrono::milliseconds(station->ReplyDelayMs()), std::move(bytes)});
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
    answers.push_back(
        {std::chrono::milliseconds(meter.reply_delay_ms), Noise(meter.noise, random_)});
  }
  return answers;
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
