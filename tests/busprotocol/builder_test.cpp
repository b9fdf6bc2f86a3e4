// Requests byte for byte: every builder, every refusal.
#include <gtest/gtest.h>

#include <functional>

#include "abi_builders.h"
#include "abi_frames.h"
#include "abi_objects.h"
#include "hex.h"

namespace keldar::bus {
namespace {

using test::FromHex;
using test::ToHex;

// What the builder put on the wire, or "refused".
std::string Built(const std::function<int32_t(KeldarBusLongFrame*)>& build) {
  KeldarBusLongFrame* frame = abi::CreateLongFrame();
  const int32_t result = build(frame);
  const int32_t size = abi::LongFrameSerialize(frame);
  std::string text = result == 1 && size > 0
                         ? ToHex({frame->serialized.bytes, frame->serialized.bytes + size})
                         : "refused";
  abi::DeleteLongFrame(frame);
  return text;
}

// SND_UD to address 5 with CI 51 and `data`, check sum summed independently.
std::string DataSend(const std::string& data_hex, std::uint8_t a = 5, std::uint8_t ci = 0x51) {
  std::vector<std::uint8_t> body{0x53, a, ci};
  const auto data = FromHex(data_hex);
  body.insert(body.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (auto b : body) sum += b;
  std::vector<std::uint8_t> frame{0x68, std::uint8_t(body.size()), std::uint8_t(body.size()), 0x68};
  frame.insert(frame.end(), body.begin(), body.end());
  frame.push_back(static_cast<std::uint8_t>(sum));
  frame.push_back(0x16);
  return ToHex(frame);
}

TEST(Builders, WritesOfTheRequestTable) {
  using namespace std::placeholders;
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetAddress(f, 5, 7, 0); }),
            "68 06 06 68 53 05 51 01 7A 07 2B 16");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetAddress(f, 5, 0x12345678, 1); }),
            "68 09 09 68 53 05 51 0C 79 78 56 34 12 42 16");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetSerialNumber(f, 5, 12345); }),
            "68 09 09 68 53 05 51 0C 78 45 23 01 00 96 16");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetDeviceType(f, 5, 7); }),
            "68 07 07 68 53 05 51 01 FD 09 07 B7 16");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetDeviceSpeed(f, 5, 2400); }),
            "68 03 03 68 53 05 BB 13 16");
  // Only the low 32 bits of a secondary address go out.
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetAddress(f, 5, 0xAB99999999ull, 1); }),
            DataSend("0C 79 99 99 99 99"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetSerialNumber(f, 5, 99999999); }),
            DataSend("0C 78 99 99 99 99"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetAddress(f, 5, 250, 0); }), DataSend("01 7A FA"));
}

TEST(Builders, EverySpeedHasItsCiField) {
  const std::pair<int, const char*> speeds[] = {{300, "B8"},   {600, "B9"},  {1200, "BA"},
                                                {2400, "BB"},  {4800, "BC"}, {9600, "BD"},
                                                {19200, "BE"}, {38400, "BF"}};
  for (const auto& [baud, ci] : speeds) {
    SCOPED_TRACE(baud);
    const int speed = baud;  // a lambda captures a variable, not a binding, before clang 16
    EXPECT_EQ(Built([&](auto f) { return abi::BuildSetDeviceSpeed(f, 5, speed); }),
              DataSend("", 5, FromHex(ci)[0]));
  }
}

TEST(Builders, SelectionsForReadoutCarryTheSubunitInDifes) {
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceModel(f, 5, 0); }), DataSend("08 FD 0C"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceModel(f, 5, 1); }),
            DataSend("88 40 FD 0C"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceModel(f, 5, 2); }),
            "68 08 08 68 53 05 51 88 80 40 FD 0C FA 16");
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceModel(f, 5, 3); }),
            DataSend("88 C0 40 FD 0C"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetOtherSoftware(f, 5, 0); }),
            DataSend("08 FD 0F"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetSecondaryAddress(f, 5, 1); }),
            DataSend("88 40 79"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetPrimaryAddress(f, 5, 0); }), DataSend("08 7A"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetInputPulse(f, 5, 0, 0); }),
            DataSend("08 93 28"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetInputPulse(f, 5, 0, 1); }),
            DataSend("08 93 29"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetInputPulse(f, 5, 1, 0); }),
            DataSend("88 40 93 28"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetInputPulse(f, 5, 2, 0); }),
            DataSend("88 80 40 93 28"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceModel(f, 5, 1023); }),
            DataSend("88 C0 C0 C0 C0 C0 C0 C0 C0 C0 40 FD 0C"));
}

TEST(Builders, SecondaryAddressingGoesTo253) {
  EXPECT_EQ(
      Built([](auto f) { return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 255, ""); }),
      "68 0B 0B 68 53 FD 52 FF FF FF FF 56 2E FF FF 20 16");
  EXPECT_EQ(Built([](auto f) {
              return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 7, "123");
            }),
            "68 12 12 68 53 FD 52 FF FF FF FF 56 2E FF 07 0D FD 0C 03 33 32 31 D7 16");
  EXPECT_EQ(Built([](auto f) {
              return abi::BuildSetSecondaryAddressing(f, 0x12345678, 0, "", 3, 255, nullptr);
            }),
            DataSend("78 56 34 12 FF FF 03 FF", 253, 0x52));
  EXPECT_EQ(
      Built([](auto f) { return abi::BuildSetSecondaryAddressing(f, -1, 0, "krv", 255, 255, ""); }),
      DataSend("FF FF FF FF 56 2E FF FF", 253, 0x52));
}

TEST(Builders, OtherRequestsInStandardTerms) {
  EXPECT_EQ(Built([](auto f) { return abi::BuildGlobalReadout(f, 5); }), DataSend("7F"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetErrorFlags(f, 5, 0); }), DataSend("08 FD 17"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceType(f, 5, 0); }), DataSend("08 FD 09"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetSerialNumber(f, 5, 0); }), DataSend("08 78"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDateTime(f, 5); }), DataSend("08 6D"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildArchiveRecords(f, 5, 1); }), DataSend("48 7E"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildArchiveRecords(f, 5, 6); }), DataSend("88 03 7E"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetOutputPulse(f, 5, 0, 1); }),
            DataSend("08 93 2B"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetInputPulse(f, 5, 1, 0, 10); }),
            DataSend("84 40 93 28 0A 00 00 00"));
  KeldarBusDateTime when{'F', 2024, 3, 15, 8, 30, 0, 1, 0};
  EXPECT_EQ(Built([&](auto f) { return abi::BuildSetLocalTime(f, 5, &when); }),
            DataSend("04 6D 1E 08 0F 33"));
  EXPECT_NE(Built([](auto f) { return abi::BuildSetLocalTime(f, 5, nullptr); }), "refused");
  const std::uint8_t data[] = {0x01, 0x02};
  EXPECT_EQ(Built([&](auto f) { return abi::GeneratePacket(f, 0x73, 9, 0x51, data, 2); }),
            "68 05 05 68 73 09 51 01 02 D0 16");
}

TEST(Builders, RefusalsLeaveTheFrameEmpty) {
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetSerialNumber(f, 5, 100000000); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetSerialNumber(f, 5, -1); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetAddress(f, 5, 253, 0); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetAddress(f, 5, 252, 0); }), DataSend("01 7A FC"));
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetAddress(f, 5, 1, 2); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetDeviceSpeed(f, 5, 76800); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildSetDeviceSpeed(f, 5, 1234); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetInputPulse(f, 5, 0, 2); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceModel(f, 5, -1); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildGetDeviceModel(f, 5, 1024); }), "refused");
  EXPECT_EQ(
      Built([](auto f) { return abi::BuildSetSecondaryAddressing(f, -1, 0, "K1V", 255, 255, ""); }),
      "refused");
  EXPECT_EQ(
      Built([](auto f) { return abi::BuildSetSecondaryAddressing(f, -1, 1, "KRV", 255, 255, ""); }),
      "refused");
  EXPECT_EQ(
      Built([](auto f) { return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 256, 255, ""); }),
      "refused");
  EXPECT_EQ(Built([](auto f) {
              return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 255,
                                                      std::string(192, 'x').c_str());
            }),
            "refused");
  KeldarBusDateTime bad{'F', 2024, 13, 1, 0, 0, 0, 1, 0};
  EXPECT_EQ(Built([&](auto f) { return abi::BuildSetLocalTime(f, 5, &bad); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::BuildNothing(f); }), "refused");
  EXPECT_EQ(Built([](auto f) { return abi::GeneratePacket(f, 0x53, 1, 0x51, nullptr, 3); }),
            "refused");

  // A refused build also empties a frame that held an earlier request.
  KeldarBusLongFrame* frame = abi::CreateLongFrame();
  ASSERT_EQ(abi::BuildSetDeviceType(frame, 5, 7), 1);
  EXPECT_EQ(abi::BuildSetSerialNumber(frame, 5, -5), 0);
  EXPECT_EQ(frame->serialized.size, 0u);
  EXPECT_EQ(frame->data_size, 0u);
  abi::DeleteLongFrame(frame);
}

TEST(Builders, ShortFrames) {
  KeldarBusShortFrame frame{};
  abi::ShortFrameSetC(&frame, 0x40);
  abi::ShortFrameSetA(&frame, 0xFE);
  ASSERT_EQ(abi::ShortFrameSerialize(&frame), 5);
  EXPECT_EQ(ToHex({frame.serialized.bytes, frame.serialized.bytes + 5}), "10 40 FE 3E 16");
  abi::ShortFrameSetC(&frame, 0x5B);
  abi::ShortFrameSetA(&frame, 0x05);
  abi::ShortFrameSerialize(&frame);
  EXPECT_EQ(ToHex({frame.serialized.bytes, frame.serialized.bytes + 5}), "10 5B 05 60 16");
  abi::ShortFrameClear(&frame);
  EXPECT_EQ(frame.serialized.size, 0u);
}

}  // namespace
}  // namespace keldar::bus
