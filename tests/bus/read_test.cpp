// The multi-telegram read: every telegram in order and merged, the bound on
// endless meters, error answers, the stop request and a lost port.
#include "base/bus/read.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/bus/constants.h"
#include "base/bus/exchange.h"
#include "base/bus/records.h"
#include "bus_fixture.h"

namespace mbus::test {
namespace {

constexpr std::uint8_t kMeter = 1;   // krv_heat.ini
constexpr std::uint8_t kReplay = 5;  // --replay meters
constexpr std::size_t kHeatRecords = 13;

// krv_heat.ini with its answer split into telegrams of `per` records each.
std::string SplitHeatMeter(int per) {
  const std::string path =
      std::string(KELDAR_TEST_DIR) + "/bus_client_split_" + std::to_string(::getpid()) + ".ini";
  std::ifstream original(MeterFile("krv_heat.ini"));
  std::ofstream split(path);
  for (std::string line; std::getline(original, line);) {
    split << line << '\n';
    if (line == "[meter]") split << "records_per_telegram = " << per << '\n';
  }
  return path;
}

// The measured records (no manufacturer-specific blocks) of a telegram, as
// DIF/VIF/value triples for comparing.
std::vector<std::tuple<int, int, std::uint64_t>> Measured(const KeldarBusProtocolLibrary* lib,
                                                          const KeldarBusTelegram& telegram) {
  std::vector<std::tuple<int, int, std::uint64_t>> out;
  for (const auto* r : TelegramRecords(lib, telegram)) {
    if (r->function == KELDAR_BUS_FUNCTION_MANUFACTURER) continue;
    out.emplace_back(r->dif, r->vif, r->value);
  }
  return out;
}

class Read : public SimulatedBus {};

TEST_F(Read, ASplitAnswerArrivesTelegramByTelegramAndMergesIntoTheWholeReadout) {
  // The whole readout in one telegram, for comparison.
  Start({MeterFile("krv_heat.ini")});
  ASSERT_EQ(Ping(MakeLink(), kMeter), KELDAR_BUS_RESULT_ACK);
  const Telegram whole = NewTelegram(Lib());
  ASSERT_EQ(ReadUserData(MakeLink(), kMeter, whole.get()).status, ReadStatus::Done);
  const auto expected = Measured(Lib(), *whole);
  ASSERT_EQ(expected.size(), kHeatRecords);
  port_ = Port(nullptr, nullptr);

  const std::string split = SplitHeatMeter(2);
  Start({split});
  std::filesystem::remove(split);
  ASSERT_EQ(Ping(MakeLink(), kMeter), KELDAR_BUS_RESULT_ACK);
  std::vector<int> recordsPerTelegram;
  std::vector<bool> announced;
  const ReadResult each = ReadTelegrams(MakeLink(), kMeter, [&](const KeldarBusTelegram& telegram) {
    recordsPerTelegram.push_back(static_cast<int>(Measured(Lib(), telegram).size()));
    announced.push_back(telegram.more_records_follow != 0);
  });
  EXPECT_EQ(each.status, ReadStatus::Done);
  EXPECT_EQ(each.telegrams, 7);
  EXPECT_EQ(recordsPerTelegram, (std::vector<int>{2, 2, 2, 2, 2, 2, 1}));
  EXPECT_EQ(announced, (std::vector<bool>{true, true, true, true, true, true, false}));
  EXPECT_EQ(Requests(kReqUd2), 7);

  // Read again, merged: the same records in the same order, and the header.
  ASSERT_EQ(Ping(MakeLink(), kMeter), KELDAR_BUS_RESULT_ACK);
  const Telegram merged = NewTelegram(Lib());
  const ReadResult all = ReadUserData(MakeLink(), kMeter, merged.get());
  EXPECT_EQ(all.status, ReadStatus::Done);
  EXPECT_EQ(all.telegrams, 7);
  EXPECT_EQ(Measured(Lib(), *merged), expected);
  EXPECT_EQ(merged->ci_field, kCiVariableData);
  EXPECT_EQ(merged->identification, 0x41000001u);
  EXPECT_STREQ(merged->manufacturer_text, "KRV");
  EXPECT_EQ(merged->more_records_follow, 0);
}

TEST_F(Read, AMeterThatAnnouncesMoreForeverIsCutOffAfter64Telegrams) {
  Start({"--replay", VariableDataHex(kReplay, /*more=*/true), "--address", "5"});
  ASSERT_EQ(Ping(MakeLink(), kReplay), KELDAR_BUS_RESULT_ACK);
  const Telegram merged = NewTelegram(Lib());
  const ReadResult result = ReadUserData(MakeLink(), kReplay, merged.get());
  EXPECT_EQ(result.status, ReadStatus::Done);
  EXPECT_EQ(result.telegrams, kMaxTelegrams);
  EXPECT_EQ(Requests(kReqUd2), kMaxTelegrams) << "not one request more";
  EXPECT_EQ(Measured(Lib(), *merged).size(), static_cast<std::size_t>(kMaxTelegrams));
  EXPECT_EQ(merged->more_records_follow, 1) << "the answer was cut, not complete";
}

TEST_F(Read, AnErrorAnswerIsTheMetersErrorNotItsData) {
  Start({"--replay", "68 04 04 68 08 05 70 08 85 16", "--address", "5"});
  const Telegram merged = NewTelegram(Lib());
  const ReadResult result = ReadUserData(MakeLink(), kReplay, merged.get());
  EXPECT_EQ(result.status, ReadStatus::DeviceError);
  EXPECT_EQ(result.errorText, "Application busy");
  EXPECT_EQ(result.telegrams, 0);
  EXPECT_EQ(TelegramRecords(Lib(), *merged).size(), 0u);
  EXPECT_NE(merged->ci_field, kCiApplicationError) << "nothing of the error is merged";
}

TEST_F(Read, AnErrorAnswerAfterTheFirstTelegramEndsTheRead) {
  Start({"--replay", VariableDataHex(kReplay, /*more=*/true), "--replay",
         "68 04 04 68 08 05 70 08 85 16", "--address", "5"});
  int handed = 0;
  const ReadResult result =
      ReadTelegrams(MakeLink(), kReplay, [&](const KeldarBusTelegram&) { ++handed; });
  EXPECT_EQ(result.status, ReadStatus::DeviceError);
  EXPECT_EQ(result.errorText, "Application busy");
  EXPECT_EQ(result.telegrams, 1);
  EXPECT_EQ(handed, 1);
  EXPECT_EQ(Requests(kReqUd2), 2);
}

TEST_F(Read, AStopRequestIsHonouredBeforeEveryExchange) {
  const std::string split = SplitHeatMeter(2);
  Start({split});
  std::filesystem::remove(split);

  // Asked before anything happened: nothing goes on the line.
  const Link stopped = MakeLink([] { return true; });
  EXPECT_EQ(Ping(stopped, kMeter), KELDAR_BUS_RESULT_FAILED);
  const ReadResult early = ReadTelegrams(stopped, kMeter, {});
  EXPECT_EQ(early.status, ReadStatus::Stopped);
  EXPECT_EQ(early.telegrams, 0);
  EXPECT_EQ(AllRequests(), 0);

  // Asked while the first telegram arrives: no further request.
  std::atomic<bool> stop = false;
  const Link link = MakeLink([&stop] { return stop.load(); });
  ASSERT_EQ(Ping(link, kMeter), KELDAR_BUS_RESULT_ACK);
  const ReadResult midway =
      ReadTelegrams(link, kMeter, [&](const KeldarBusTelegram&) { stop = true; });
  EXPECT_EQ(midway.status, ReadStatus::Stopped);
  EXPECT_EQ(midway.telegrams, 1);
  EXPECT_EQ(Requests(kReqUd2), 1);
}

TEST_F(Read, ALostPortIsNamedAsSuch) {
  const std::string split = SplitHeatMeter(2);
  Start({split});
  std::filesystem::remove(split);
  ASSERT_EQ(Ping(MakeLink(), kMeter), KELDAR_BUS_RESULT_ACK);
  // Unplugged after the first telegram of seven.
  const ReadResult midway =
      ReadTelegrams(MakeLink(), kMeter, [&](const KeldarBusTelegram&) { Unplug(); });
  EXPECT_EQ(midway.status, ReadStatus::PortUnavailable);
  EXPECT_EQ(midway.telegrams, 1);
  EXPECT_FALSE(MakeLink().PortUsable());

  // A read on the port once lost says so too.
  const Telegram merged = NewTelegram(Lib());
  EXPECT_EQ(ReadUserData(MakeLink(), kMeter, merged.get()).status, ReadStatus::PortUnavailable);
}

TEST_F(Read, SilenceIsNoAnswer) {
  Start({MeterFile("mute_user_data.ini"), MeterFile("krv_heat.ini")});
  // Acknowledges the reset, never sends data.
  ASSERT_EQ(Ping(MakeLink(), 9), KELDAR_BUS_RESULT_ACK);
  const ReadResult mute = ReadTelegrams(MakeLink(), 9, {});
  EXPECT_EQ(mute.status, ReadStatus::NoAnswer);
  EXPECT_EQ(mute.telegrams, 0);
  // Nobody at 17.
  EXPECT_EQ(Ping(MakeLink(), 17), KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(ReadTelegrams(MakeLink(), 17, {}).status, ReadStatus::NoAnswer);
  EXPECT_TRUE(MakeLink().PortUsable()) << "silence is not a lost port";
}

}  // namespace
}  // namespace mbus::test
