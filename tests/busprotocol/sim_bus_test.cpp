// The simulated bus as a real one behaves: answers at the same moment arrive
// as the AND of their bits, answers at different moments one after the other,
// and a meter hears only its own speed. Raw bytes, so that a collision is seen
// as the master's receiver sees it.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <variant>
#include <vector>

#include "frame_codec.h"
#include "hex.h"
#include "receiver.h"
#include "serial_line.h"
#include "sim_process.h"

namespace keldar::bus {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using test::FromHex;
using test::MeterFile;
using test::SimProcess;
using test::ToHex;

// ---- the line itself ---------------------------------------------------

const Bytes kFrameA = FromHex("68 05 05 68 08 01 72 11 22 56 16");
const Bytes kFrameB = FromHex("68 05 05 68 08 02 72 33 44 F3 16");

std::vector<sim::Burst> Receive(std::vector<sim::Transmission> sent) {
  return sim::Receive(sent, 2400);
}

TEST(SimLine, AnswersAtTheSameMomentArriveAsTheirBitwiseAnd) {
  const auto one = Receive({{10ms, kFrameA}});
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(ToHex(one[0].bytes), ToHex(kFrameA));
  EXPECT_EQ(one[0].start, 10ms);

  const auto acks = Receive({{10ms, {0xE5}}, {10ms, {0xE5}}, {10ms, {0xE5}}});
  ASSERT_EQ(acks.size(), 1u);
  EXPECT_EQ(ToHex(acks[0].bytes), "E5");

  const auto frames = Receive({{20ms, kFrameA}, {20ms, kFrameB}, {20ms, {0xE5}}});
  ASSERT_EQ(frames.size(), 1u);
  Bytes and_ = kFrameA;
  for (std::size_t i = 0; i < and_.size(); ++i) and_[i] &= kFrameB[i];
  and_[0] &= 0xE5;
  EXPECT_EQ(ToHex(frames[0].bytes), ToHex(and_));
  EXPECT_FALSE(DecodeFrame(frames[0].bytes));
}

TEST(SimLine, AnswersAtDifferentMomentsArriveOneAfterTheOther) {
  // An E5 lasts 4.6 ms at 2400 baud.
  const auto acks = Receive({{40ms, {0xE5}}, {10ms, {0xE5}}, {25ms, {0xE5}}});
  ASSERT_EQ(acks.size(), 3u);
  EXPECT_EQ(acks[0].start, 10ms);
  EXPECT_EQ(acks[1].start, 25ms);
  EXPECT_EQ(acks[2].start, 40ms);
  for (const auto& a : acks) EXPECT_EQ(ToHex(a.bytes), "E5");

  // The second frame starts as the first one ends (11 characters of 4583 µs):
  // one burst, both intact.
  const auto joined = Receive({{0us, kFrameA}, {std::chrono::microseconds(11 * 4583), kFrameB}});
  ASSERT_EQ(joined.size(), 1u);
  Bytes both = kFrameA;
  both.insert(both.end(), kFrameB.begin(), kFrameB.end());
  EXPECT_EQ(ToHex(joined[0].bytes), ToHex(both));

  const auto after = Receive({{0ms, kFrameA}, {60ms, kFrameB}});
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(ToHex(after[0].bytes), ToHex(kFrameA));
  EXPECT_EQ(ToHex(after[1].bytes), ToHex(kFrameB));
}

TEST(SimLine, AnswersOverlappingByPartOfACharacterMakeNoFrame) {
  // 2 ms apart: the second E5 starts inside the first one's data bits.
  const auto acks = Receive({{10ms, {0xE5}}, {12ms, {0xE5}}});
  Bytes heard;
  for (const auto& b : acks) heard.insert(heard.end(), b.bytes.begin(), b.bytes.end());
  EXPECT_NE(ToHex(heard), "E5");
  EXPECT_NE(ToHex(heard), "E5 E5");

  const auto frames = Receive({{10ms, kFrameA}, {13ms, kFrameA}});
  ASSERT_FALSE(frames.empty());
  EXPECT_NE(ScanFrame(frames[0].bytes).outcome, ScanOutcome::kFound) << ToHex(frames[0].bytes);
}

// ---- the bus over its pseudo-terminal ----------------------------------

// Sends a request and gathers what comes back until `quiet` passes without a byte.
Bytes Exchange(SerialLine& line, const Bytes& request, std::chrono::milliseconds quiet = 150ms) {
  line.DiscardInput();
  EXPECT_TRUE(line.Write(request));
  Bytes in;
  for (int rounds = 0; rounds < 40; ++rounds) {
    const std::size_t before = in.size();
    if (line.Read(in, quiet) == SerialLine::ReadResult::kFailed) break;
    if (in.size() == before) break;
  }
  return in;
}

Bytes ShortRequest(std::uint8_t c, std::uint8_t a) { return Encode(ShortFrame{c, a}); }

// CI 52 to 253: the identification digits as text, F a wildcard digit; any
// manufacturer, version and medium.
Bytes Selection(const std::string& digits) {
  const std::uint32_t id = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
  Bytes data{static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8),
             static_cast<std::uint8_t>(id >> 16), static_cast<std::uint8_t>(id >> 24)};
  data.insert(data.end(), {0xFF, 0xFF, 0xFF, 0xFF});
  return *Encode(LongFrame{kSndUd, 253, 0x52, data});
}

// The identification number of an RSP_UD, or "" when the bytes are no single frame.
std::string AnswerId(const Bytes& bytes) {
  const auto frame = DecodeFrame(bytes);
  if (!frame || !std::holds_alternative<LongFrame>(*frame)) return "";
  const auto& data = std::get<LongFrame>(*frame).data;
  if (data.size() < 4) return "";
  char id[9];
  std::snprintf(id, sizeof id, "%02X%02X%02X%02X", data[3], data[2], data[1], data[0]);
  return id;
}

class SimBus : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> args) {
    sim_ = std::make_unique<SimProcess>(std::move(args));
    ASSERT_FALSE(sim_->Path().empty()) << "keldar-meter-sim did not start";
    line_ = SerialLine::Open(sim_->Path(), 2400);
    ASSERT_TRUE(line_);
  }
  std::unique_ptr<SimProcess> sim_;
  std::optional<SerialLine> line_;
};

TEST_F(SimBus, AWildcardSelectionOfSeveralMetersIsAcknowledgedAndTheirReadoutCollides) {
  Start({"--no-timing", MeterFile("bus20.ini")});
  // 4100xxxx: eight meters, whose acknowledgements coincide.
  EXPECT_EQ(ToHex(Exchange(*line_, Selection("4100FFFF"))), "E5");
  const Bytes readout = Exchange(*line_, ShortRequest(kReqUd2, 253));
  EXPECT_FALSE(readout.empty());
  EXPECT_FALSE(DecodeFrame(readout)) << ToHex(readout);
  EXPECT_NE(ScanFrame(readout).outcome, ScanOutcome::kFound) << ToHex(readout);

  // The full number selects one meter, and only that one answers at 253.
  EXPECT_EQ(ToHex(Exchange(*line_, Selection("41010377"))), "E5");
  EXPECT_EQ(AnswerId(Exchange(*line_, ShortRequest(kReqUd2 | kFrameCountBit, 253))), "41010377");

  // No meter numbered 4102xxxx: silence, and nobody answers at 253 any more.
  EXPECT_EQ(ToHex(Exchange(*line_, Selection("4102FFFF"))), "");
  EXPECT_EQ(ToHex(Exchange(*line_, ShortRequest(kReqUd2, 253))), "");
}

TEST_F(SimBus, TwoMetersAtOnePrimaryAddressCollideAndAddressZeroIsAMeter) {
  Start({"--no-timing", MeterFile("bus20.ini")});
  EXPECT_EQ(ToHex(Exchange(*line_, ShortRequest(kSndNke, 60))), "E5");
  const Bytes both = Exchange(*line_, ShortRequest(kReqUd2, 60));
  EXPECT_FALSE(both.empty());
  EXPECT_EQ(AnswerId(both), "") << ToHex(both);
  EXPECT_NE(ScanFrame(both).outcome, ScanOutcome::kFound) << ToHex(both);

  EXPECT_EQ(AnswerId(Exchange(*line_, ShortRequest(kReqUd2, 0))), "41019981");
  EXPECT_EQ(AnswerId(Exchange(*line_, ShortRequest(kReqUd2, 250))), "41010006");
}

// With line timing, each meter answers after its own reply delay: the two at
// address 60 (21 and 29 ms) arrive one after the other; given one delay they
// coincide.
TEST_F(SimBus, WithTimingAnswersComeAtEachMetersMoment) {
  Start({MeterFile("bus20.ini")});
  EXPECT_EQ(ToHex(Exchange(*line_, ShortRequest(kSndNke, 60), 300ms)), "E5 E5");
  sim_.reset();
  line_.reset();
  Start({"--reply-delay", "20", MeterFile("bus20.ini")});
  EXPECT_EQ(ToHex(Exchange(*line_, ShortRequest(kSndNke, 60), 300ms)), "E5");
}

TEST_F(SimBus, AMeterAtAnotherSpeedNeverAnswers) {
  // krv_heat_9600.ini: address 8, 41000081, 9600 baud; bus20's w08 is at 8 too.
  Start({"--no-timing", MeterFile("bus20.ini"), MeterFile("krv_heat_9600.ini")});
  EXPECT_EQ(ToHex(Exchange(*line_, Selection("41000081"))), "");
  EXPECT_EQ(AnswerId(Exchange(*line_, ShortRequest(kReqUd2, 8))), "41007454");

  ASSERT_TRUE(line_->SetSpeed(9600));
  EXPECT_EQ(AnswerId(Exchange(*line_, ShortRequest(kReqUd2, 8))), "41000081");
  // At 9600 it is alone on the bus: the widest selection finds only it.
  EXPECT_EQ(ToHex(Exchange(*line_, Selection("FFFFFFFF"))), "E5");
  EXPECT_EQ(AnswerId(Exchange(*line_, ShortRequest(kReqUd2, 253))), "41000081");
}

}  // namespace
}  // namespace keldar::bus
