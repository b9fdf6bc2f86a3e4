// The library against the meter simulator over a pseudo-terminal: the
// exchanges the shell makes, with line timing off where it is not the point.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "bus_master.h"
#include "frame_codec.h"
#include "hex.h"
#include "serial_line.h"
#include "sim_process.h"

namespace keldar::bus {
namespace {

using test::BusMaster;
using test::MeterFile;
using test::SimProcess;
using test::TelegramHolder;

std::string Id(const KeldarBusTelegram& t) {
  char id[16];
  std::snprintf(id, sizeof id, "%08X", static_cast<unsigned>(t.identification));
  return id;
}

TEST(RoundTrip, PingIsAnsweredOnlyAtTheMetersSpeed) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat_9600.ini")});
  BusMaster master(sim.Path(), 2400);
  ASSERT_TRUE(master.Usable());
  EXPECT_EQ(master.Ping(8), KELDAR_BUS_RESULT_FAILED);
  ASSERT_TRUE(master.SetSpeed(9600));
  EXPECT_EQ(master.Ping(8), KELDAR_BUS_RESULT_ACK);
  ASSERT_TRUE(master.SetSpeed(19200));
  EXPECT_EQ(master.Ping(8), KELDAR_BUS_RESULT_FAILED);
  ASSERT_TRUE(master.SetSpeed(76800));  // the last step of the search, through BOTHER
  EXPECT_EQ(master.Ping(8), KELDAR_BUS_RESULT_FAILED);
}

TEST(RoundTrip, ReadsHeaderAndRecords) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  BusMaster master(sim.Path(), 2400);
  ASSERT_EQ(master.Ping(1), KELDAR_BUS_RESULT_ACK);
  TelegramHolder t;
  ASSERT_EQ(master.ReadUserData(1, t.get()), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(t->ci_field, 0x72);
  EXPECT_EQ(Id(*t.get()), "41000001");
  EXPECT_STREQ(t->manufacturer_text, "KRV");
  EXPECT_EQ(t->version, 3);
  EXPECT_EQ(t->medium, 4);
  ASSERT_EQ(t.Size(), 13);
  EXPECT_DOUBLE_EQ(t.Record(0).decoded, 12873000.0);
  EXPECT_STREQ(t.Record(0).unit_text, "Wh");
  EXPECT_DOUBLE_EQ(t.Record(4).decoded, 70.12);
  EXPECT_STREQ(t.Record(8).text, "2024-05-14T10:20");
  EXPECT_EQ(t.Record(10).storage, 1u);
  EXPECT_STREQ(t.Record(11).text, "2024-04-30");
}

TEST(RoundTrip, MultiTelegramReadout) {
  SimProcess sim({"--no-timing", MeterFile("mld_heat.ini")});
  BusMaster master(sim.Path(), 2400);
  ASSERT_EQ(master.Ping(4), KELDAR_BUS_RESULT_ACK);
  TelegramHolder t;
  ASSERT_EQ(master.ReadUserData(4, t.get()), KELDAR_BUS_RESULT_USER_DATA);
  // Seven records, DIF 1F, seven records, the trailing manufacturer block.
  ASSERT_EQ(t.Size(), 16);
  EXPECT_EQ(t.Record(7).dif, 0x1F);
  EXPECT_EQ(t.Record(15).dif, 0x0F);
  EXPECT_EQ(test::ToHex({t.Record(15).data, t.Record(15).data + t.Record(15).data_size}),
            "11 22 33");
  EXPECT_DOUBLE_EQ(t.Record(0).decoded, 4521000.0);
  EXPECT_DOUBLE_EQ(t.Record(9).decoded, 52000001.0);  // fabrication number, second telegram
  EXPECT_EQ(t.Record(11).tariff, 1u);
  EXPECT_EQ(t->more_records_follow, 0);
}

TEST(RoundTrip, SpeedSwitch) {
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini")});
  BusMaster master(sim.Path(), 2400);
  ASSERT_EQ(master.Ping(2), KELDAR_BUS_RESULT_ACK);
  EXPECT_EQ(master.Send([](auto f) { return abi::BuildSetDeviceSpeed(f, 2, 9600); }),
            KELDAR_BUS_RESULT_ACK);
  EXPECT_EQ(master.Ping(2), KELDAR_BUS_RESULT_FAILED);  // the meter listens at 9600 now
  ASSERT_TRUE(master.SetSpeed(9600));
  EXPECT_EQ(master.Ping(2), KELDAR_BUS_RESULT_ACK);
  TelegramHolder t;
  EXPECT_EQ(master.ReadUserData(2, t.get()), KELDAR_BUS_RESULT_USER_DATA);
}

TEST(RoundTrip, PulseInputSubDevicesAndSelectionAt253) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  BusMaster master(sim.Path(), 2400);
  ASSERT_EQ(master.Ping(1), KELDAR_BUS_RESULT_ACK);

  // The sub-unit scan: pulse weights of the inputs, then per sub-unit.
  TelegramHolder weights;
  ASSERT_EQ(master.Query(
                1, [](auto f) { return abi::BuildGetInputPulse(f, 1, 0, 0); }, weights.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_EQ(weights.Size(), 1);
  EXPECT_EQ(weights.Record(0).vif, 0x13);
  EXPECT_EQ(abi::VifeGetIndex(&weights.Record(0).vife, 0), 0x28);
  EXPECT_EQ(weights.Record(0).value, 10u);
  TelegramHolder second;
  ASSERT_EQ(master.Query(
                1, [](auto f) { return abi::BuildGetInputPulse(f, 1, 2, 0); }, second.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_EQ(second.Size(), 1);
  EXPECT_EQ(second.Record(0).unit, 2u);

  TelegramHolder address;
  ASSERT_EQ(master.Query(
                1, [](auto f) { return abi::BuildGetSecondaryAddress(f, 1, 1); }, address.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_EQ(address.Size(), 1);
  EXPECT_EQ(address.Record(0).vif, 0x79);
  EXPECT_EQ(address.Record(0).unit, 1u);
  EXPECT_EQ(address.Record(0).value & 0xFFFFFFFF, 0x41000011u);
  TelegramHolder model;
  ASSERT_EQ(master.Query(
                1, [](auto f) { return abi::BuildGetDeviceModel(f, 1, 1); }, model.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_EQ(model.Size(), 1);
  EXPECT_STREQ(model.Record(0).text, "WS-15 cold");

  // Selected by manufacturer and model, the sub-device answers at 253.
  ASSERT_EQ(master.Send([](auto f) {
    return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 255, "WS-15 cold");
  }),
            KELDAR_BUS_RESULT_ACK);
  EXPECT_EQ(master.Ping(253), KELDAR_BUS_RESULT_ACK);
  TelegramHolder cold;
  ASSERT_EQ(master.ReadUserData(253, cold.get()), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(Id(*cold.get()), "41000011");
  EXPECT_EQ(cold->medium, 22);
  EXPECT_STREQ(cold->manufacturer_text, "KRV");
  TelegramHolder software;
  ASSERT_EQ(master.Query(
                253, [](auto f) { return abi::BuildGetOtherSoftware(f, 253, 0); }, software.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_NE(software.Find(0x7D, 0x0F), nullptr);
  EXPECT_STREQ(software.Find(0x7D, 0x0F)->text, "1.00");

  // Another selection moves address 253; a selection nobody matches leaves it empty.
  ASSERT_EQ(master.Send([](auto f) {
    return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 6, "WS-15 hot");
  }),
            KELDAR_BUS_RESULT_ACK);
  TelegramHolder hot;
  ASSERT_EQ(master.ReadUserData(253, hot.get()), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(Id(*hot.get()), "41000012");
  EXPECT_EQ(master.Send([](auto f) {
    return abi::BuildSetSecondaryAddressing(f, -1, 0, "MLD", 255, 255, "WS-15 hot");
  }),
            KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(master.Ping(253), KELDAR_BUS_RESULT_FAILED);

  // The meter itself, by manufacturer, medium and model.
  ASSERT_EQ(master.Send([](auto f) {
    return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 4, "TV-7 heat");
  }),
            KELDAR_BUS_RESULT_ACK);
  TelegramHolder meter;
  ASSERT_EQ(master.ReadUserData(253, meter.get()), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(Id(*meter.get()), "41000001");
}

TEST(RoundTrip, ConfigurationCommandsChangeTheMeter) {
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini")});
  BusMaster master(sim.Path(), 2400);
  ASSERT_EQ(master.Ping(2), KELDAR_BUS_RESULT_ACK);

  ASSERT_EQ(master.Send([](auto f) { return abi::BuildSetAddress(f, 2, 0x41999999, 1); }),
            KELDAR_BUS_RESULT_ACK);
  TelegramHolder secondary;
  ASSERT_EQ(master.Query(
                2, [](auto f) { return abi::BuildGetSecondaryAddress(f, 2, 0); }, secondary.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_NE(secondary.Find(0x79), nullptr);
  EXPECT_EQ(secondary.Find(0x79)->value, 0x41999999u);

  ASSERT_EQ(master.Send([](auto f) { return abi::BuildSetSerialNumber(f, 2, 12345); }),
            KELDAR_BUS_RESULT_ACK);
  ASSERT_EQ(master.Send([](auto f) { return abi::BuildSetDeviceType(f, 2, 7); }),
            KELDAR_BUS_RESULT_ACK);
  KeldarBusDateTime when{'F', 2025, 1, 2, 3, 4, 0, 1, 0};
  ASSERT_EQ(master.Send([&](auto f) { return abi::BuildSetLocalTime(f, 2, &when); }),
            KELDAR_BUS_RESULT_ACK);
  TelegramHolder after;
  ASSERT_EQ(master.ReadUserData(2, after.get()), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(Id(*after.get()), "00012345");
  EXPECT_EQ(after->medium, 7);
  ASSERT_NE(after.Find(0x6D), nullptr);
  EXPECT_STREQ(after.Find(0x6D)->text, "2025-01-02T03:04");

  // A write the meter does not know is not acknowledged and changes nothing.
  const std::uint8_t baud_record[] = {0x01, 0xFD, 0x1C, 0x05};
  EXPECT_EQ(
      master.Send([&](auto f) { return abi::GeneratePacket(f, 0x53, 2, 0x51, baud_record, 4); }),
      KELDAR_BUS_RESULT_FAILED);

  ASSERT_EQ(master.Send([](auto f) { return abi::BuildSetAddress(f, 2, 12, 0); }),
            KELDAR_BUS_RESULT_ACK);
  EXPECT_EQ(master.Ping(2), KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(master.Ping(12), KELDAR_BUS_RESULT_ACK);
  TelegramHolder primary;
  ASSERT_EQ(master.Query(
                12, [](auto f) { return abi::BuildGetPrimaryAddress(f, 12, 0); }, primary.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_NE(primary.Find(0x7A), nullptr);
  EXPECT_EQ(primary.Find(0x7A)->value, 12u);
  TelegramHolder type;
  ASSERT_EQ(master.Query(
                12, [](auto f) { return abi::BuildGetDeviceType(f, 12, 0); }, type.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_NE(type.Find(0x7D, 0x09), nullptr);
  EXPECT_DOUBLE_EQ(type.Find(0x7D, 0x09)->decoded, 7.0);
}

TEST(RoundTrip, PulseWeightWriteRemovesTheSubDevice) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  BusMaster master(sim.Path(), 2400);
  ASSERT_EQ(master.Send([](auto f) { return abi::BuildSetInputPulse(f, 1, 0, 1, 0); }),
            KELDAR_BUS_RESULT_ACK);
  TelegramHolder weights;
  ASSERT_EQ(master.Query(
                1, [](auto f) { return abi::BuildGetInputPulse(f, 1, 0, 1); }, weights.get()),
            KELDAR_BUS_RESULT_USER_DATA);
  ASSERT_EQ(weights.Size(), 1);
  EXPECT_EQ(weights.Record(0).value, 0u);
  EXPECT_EQ(master.Send([](auto f) {
    return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 255, "WS-15 hot");
  }),
            KELDAR_BUS_RESULT_FAILED);
}

TEST(RoundTrip, MeterThatNeverAnswersUserData) {
  SimProcess sim({"--no-timing", MeterFile("mute_user_data.ini")});
  BusMaster master(sim.Path(), 2400);
  EXPECT_EQ(master.Ping(9), KELDAR_BUS_RESULT_ACK);
  TelegramHolder t;
  EXPECT_EQ(master.ReadUserData(9, t.get()), KELDAR_BUS_RESULT_FAILED);
  EXPECT_TRUE(master.Usable());
}

TEST(RoundTrip, AdapterThatEchoesTheRequest) {
  SimProcess sim({"--no-timing", "--echo", MeterFile("ptx_heat.ini")});
  BusMaster master(sim.Path(), 2400);
  EXPECT_EQ(master.Ping(6), KELDAR_BUS_RESULT_ACK);
  TelegramHolder t;
  ASSERT_EQ(master.ReadUserData(6, t.get()), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_STREQ(t->manufacturer_text, "PTX");
  EXPECT_NEAR(t.Record(2).decoded, 3250.0, 1e-3);
}

// Line timing on: the answer arrives a character at a time, after the
// meter's reply delay; the bus log records both directions.
// A meter that follows EN 13757-3 acknowledges a SND_NKE to 253 or a CI 56
// deselection and is no longer selected; one that keeps its selection stays.
TEST(RoundTrip, StandardMetersLeaveTheirSelectionOnResetOrDeselection) {
  const auto select = [](BusMaster& master) {
    return master.Send([](auto f) {
      return abi::BuildSetSecondaryAddressing(f, -1, 0, "KRV", 255, 255, "WS-15 cold");
    });
  };
  const auto deselect = [](BusMaster& master) {
    return master.Send([](auto f) { return abi::GeneratePacket(f, 0x53, 253, 0x56, nullptr, 0); });
  };
  for (const bool standard : {false, true}) {
    SCOPED_TRACE(standard ? "standard" : "kept");
    std::vector<std::string> args{"--no-timing", MeterFile("krv_heat.ini")};
    if (standard) args.insert(args.begin(), "--standard-selection");
    SimProcess sim(args);
    BusMaster master(sim.Path(), 2400);
    TelegramHolder cold;
    ASSERT_EQ(select(master), KELDAR_BUS_RESULT_ACK);
    EXPECT_EQ(master.Ping(253), KELDAR_BUS_RESULT_ACK);
    EXPECT_EQ(master.ReadUserData(253, cold.get()),
              standard ? KELDAR_BUS_RESULT_FAILED : KELDAR_BUS_RESULT_USER_DATA);

    ASSERT_EQ(select(master), KELDAR_BUS_RESULT_ACK);
    EXPECT_EQ(deselect(master), standard ? KELDAR_BUS_RESULT_ACK : KELDAR_BUS_RESULT_FAILED);
    TelegramHolder after;
    EXPECT_EQ(master.ReadUserData(253, after.get()),
              standard ? KELDAR_BUS_RESULT_FAILED : KELDAR_BUS_RESULT_USER_DATA);
  }
}

TEST(RoundTrip, ReadsWithLineTimingOnAndLogsTheBus) {
  const std::string log = std::string(KELDAR_TEST_DIR) + "/roundtrip_bus.log";
  {
    SimProcess sim({"--reply-delay", "5", "--log", log, MeterFile("abw_water.ini")});
    BusMaster master(sim.Path(), 2400);
    ASSERT_EQ(master.Ping(7), KELDAR_BUS_RESULT_ACK);
    TelegramHolder t;
    ASSERT_EQ(master.ReadUserData(7, t.get()), KELDAR_BUS_RESULT_USER_DATA);
    EXPECT_EQ(Id(*t.get()), "70000001");
    EXPECT_EQ(t->medium, 7);
    ASSERT_EQ(t.Size(), 3);
  }
  std::ifstream in(log);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::remove(log.c_str());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[0].find("M> 10 40 07 47 16"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("SND_NKE a=7"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("S< E5"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("M> 10 7B 07 82 16"), std::string::npos) << lines[2];
  EXPECT_NE(lines[3].find("S< 68 "), std::string::npos) << lines[3];
  EXPECT_NE(lines[3].find("  2400 "), std::string::npos) << lines[3];
}

// The simulator's side of the frame-count rule, with raw requests that keep
// the bit unchanged (the library's port would toggle it).
TEST(RoundTrip, MeterRepeatsItsAnswerWhenTheCountBitDidNotToggle) {
  SimProcess sim({"--no-timing", MeterFile("mld_heat.ini")});
  auto line = SerialLine::Open(sim.Path(), 2400);
  ASSERT_TRUE(line);
  const auto exchange = [&](const std::vector<std::uint8_t>& request) {
    line->DiscardInput();
    EXPECT_TRUE(line->Write(request));
    std::vector<std::uint8_t> in;
    for (int i = 0; i < 50; ++i) {
      line->Read(in, std::chrono::milliseconds(20));
      const auto scan = ScanFrame(in);
      if (scan.outcome == ScanOutcome::kFound) {
        return std::vector<std::uint8_t>(in.begin() + static_cast<long>(scan.start),
                                         in.begin() + static_cast<long>(scan.start + scan.length));
      }
    }
    return std::vector<std::uint8_t>{};
  };
  ASSERT_EQ(exchange(Encode(ShortFrame{0x40, 4})), std::vector<std::uint8_t>{0xE5});
  const auto first = exchange(Encode(ShortFrame{0x7B, 4}));
  const auto repeated = exchange(Encode(ShortFrame{0x7B, 4}));
  const auto next = exchange(Encode(ShortFrame{0x5B, 4}));
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(repeated, first);
  EXPECT_NE(next, first);
  EXPECT_EQ(next[next.size() - 6], 0x0F);  // the last telegram ends with the maker's block
}

}  // namespace
}  // namespace keldar::bus
