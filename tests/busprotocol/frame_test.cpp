// Frame scanning: complete frames only, noise and broken frames passed over.
#include <gtest/gtest.h>

#include "frame_codec.h"
#include "frame_counter.h"
#include "hex.h"

namespace keldar::bus {
namespace {

using test::FromHex;
using test::ToHex;

TEST(FrameScan, FindsEachKindOfFrame) {
  auto scan = ScanFrame(FromHex("E5"));
  EXPECT_EQ(scan.outcome, ScanOutcome::kFound);
  EXPECT_EQ(scan.length, 1u);
  scan = ScanFrame(FromHex("10 40 05 45 16"));
  EXPECT_EQ(scan.outcome, ScanOutcome::kFound);
  EXPECT_EQ(scan.length, 5u);
  scan = ScanFrame(FromHex("68 04 04 68 08 01 70 08 81 16"));
  EXPECT_EQ(scan.outcome, ScanOutcome::kFound);
  EXPECT_EQ(scan.length, 10u);
}

TEST(FrameScan, WaitsForTheLengthFieldBeforeDeciding) {
  const auto full = FromHex("68 04 04 68 08 01 70 08 81 16");
  for (std::size_t n = 1; n < full.size(); ++n) {
    SCOPED_TRACE(n);
    const auto scan = ScanFrame(std::span(full).first(n));
    EXPECT_EQ(scan.outcome, ScanOutcome::kIncomplete);
    EXPECT_EQ(scan.start, 0u);
  }
  // An E5 inside an unfinished long frame is data, not an acknowledgement.
  EXPECT_EQ(ScanFrame(FromHex("68 05 05 68 08 01 72 E5")).outcome, ScanOutcome::kIncomplete);
}

TEST(FrameScan, SkipsNoiseAndBrokenFrames) {
  auto scan = ScanFrame(FromHex("00 FF 33 E5"));
  EXPECT_EQ(scan.outcome, ScanOutcome::kFound);
  EXPECT_EQ(scan.start, 3u);
  // Wrong check sum, wrong stop byte, mismatched L-fields, L too small.
  for (const char* broken : {"10 40 05 46 16", "10 40 05 45 17", "68 04 05 68 08 01 70 08 81 16",
                             "68 04 04 68 08 01 70 08 82 16", "68 02 02 68 08 01 09 16"}) {
    SCOPED_TRACE(broken);
    const auto bytes = FromHex(broken);
    EXPECT_FALSE(DecodeFrame(bytes));
    scan = ScanFrame(bytes);
    EXPECT_NE(scan.outcome, ScanOutcome::kFound);
  }
  scan = ScanFrame(FromHex("10 40 05 46 16 10 40 05 45 16"));
  EXPECT_EQ(scan.outcome, ScanOutcome::kFound);
  EXPECT_EQ(scan.start, 5u);
  EXPECT_EQ(ScanFrame(FromHex("00 01 02")).outcome, ScanOutcome::kNothing);
}

TEST(FrameCodec, EncodesAndRecognisesMasterFrames) {
  EXPECT_EQ(ToHex(Encode(ShortFrame{0x40, 0x05})), "10 40 05 45 16");
  EXPECT_EQ(ToHex(*Encode(LongFrame{0x53, 0x05, 0xBB, {}})), "68 03 03 68 53 05 BB 13 16");
  EXPECT_FALSE(Encode(LongFrame{0x53, 1, 0x51, std::vector<std::uint8_t>(253)}));
  EXPECT_EQ(Encode(LongFrame{0x53, 1, 0x51, std::vector<std::uint8_t>(252)})->size(), 261u);
  EXPECT_TRUE(IsFromMaster(*DecodeFrame(FromHex("10 5B 05 60 16"))));
  EXPECT_FALSE(IsFromMaster(*DecodeFrame(FromHex("68 04 04 68 08 01 70 08 81 16"))));
  EXPECT_FALSE(IsFromMaster(*DecodeFrame(FromHex("E5"))));
}

// The frame-count rule: first REQ_UD2 after SND_NKE carries FCB 1, each
// further one to the same address toggles it, addresses count separately.
TEST(FrameCount, SetAfterResetThenToggledPerAddress) {
  FrameCounter counter;
  const auto req = [&](std::uint8_t a) {
    return ToHex(counter.Stamp(Encode(ShortFrame{0x5B, a})));
  };
  const auto nke = [&](std::uint8_t a) { counter.Stamp(Encode(ShortFrame{0x40, a})); };
  nke(5);
  EXPECT_EQ(req(5), "10 7B 05 80 16");
  EXPECT_EQ(req(5), "10 5B 05 60 16");
  EXPECT_EQ(req(5), "10 7B 05 80 16");
  nke(6);
  EXPECT_EQ(req(6), "10 7B 06 81 16");
  EXPECT_EQ(req(5), "10 5B 05 60 16");  // address 5 kept its own count
  nke(5);
  EXPECT_EQ(req(5), "10 7B 05 80 16");
  // SND_NKE to 254 restarts every address.
  EXPECT_EQ(req(6), "10 5B 06 61 16");
  nke(254);
  EXPECT_EQ(req(6), "10 7B 06 81 16");
  // A new secondary selection restarts address 253.
  EXPECT_EQ(req(253), "10 7B FD 78 16");
  counter.Stamp(*Encode(LongFrame{0x53, 253, 0x52, FromHex("FF FF FF FF FF FF FF FF")}));
  EXPECT_EQ(req(253), "10 7B FD 78 16");
  // Other frames pass unchanged.
  EXPECT_EQ(ToHex(counter.Stamp(FromHex("68 03 03 68 53 05 BB 13 16"))),
            "68 03 03 68 53 05 BB 13 16");
}

}  // namespace
}  // namespace keldar::bus
