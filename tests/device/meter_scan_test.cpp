#include "device/meter_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "base/bus/exchange.h"
#include "base/bus/objects.h"
#include "base/bus/read.h"
#include "base/platform/library.h"
#include "device/bus_protocol_library.h"
#include "sim_process.h"
#include "test_support.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

struct BuiltPlugins {
  BuiltPlugins() { platform::SetPluginDirectory(KELDAR_BIN_DIR); }
  ~BuiltPlugins() { platform::SetPluginDirectory({}); }
};

struct Recorder : ScanObserver {
  std::vector<ScanProgress> progress;
  std::vector<FoundMeter> found;
  void Progress(const ScanProgress& p) override { progress.push_back(p); }
  void Found(const FoundMeter& meter) override { found.push_back(meter); }
};

// A meter of its own, written beside the test: id, primary address, medium, maker.
std::string WriteMeter(const std::filesystem::path& folder, const std::string& id, int address,
                       int medium = 7, const std::string& maker = "KRV") {
  const auto file = folder / ("meter-" + id + ".ini");
  std::ofstream(file) << "[meter]\naddress = " << address
                      << "\nspeed = 2400\nidentification = " << id << "\nmanufacturer = " << maker
                      << "\nversion = 2\nmedium = " << medium
                      << "\nmodel = VK-7 water\nreply_delay_ms = 15\nrecord = 04 13 : 1234\n";
  return file.string();
}

PrimaryScanRequest Range(int from, int to) {
  PrimaryScanRequest request;
  request.from = from;
  request.to = to;
  return request;
}

SecondaryScanRequest Filter(const std::string& mask, const std::string& maker = "",
                            int medium = mbus::kAnyMedium) {
  SecondaryScanRequest request;
  request.mask = mask;
  request.manufacturer = maker;
  request.medium = medium;
  return request;
}

class MeterScan : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bus.IsLoaded()); }

  // Opens the simulator's line at `baud`; the port is closed with the fixture.
  mbus::Link Open(const SimProcess& sim, int baud = 2400) {
    port = mbus::Port(nullptr, nullptr);  // the line takes one port at a time
    port = mbus::OpenPort(bus.GetApi(), sim.Path().c_str(), baud);
    return {bus.GetApi(), port.get(), [this] { return stopAfter > 0 && Reports() >= stopAfter; }};
  }
  int Reports() const { return static_cast<int>(recorder.progress.size()); }

  static const FoundMeter* ById(const ScanResult& result, const std::string& id) {
    const auto it = std::find_if(result.meters.begin(), result.meters.end(),
                                 [&](const FoundMeter& m) { return m.Id() == id; });
    return it == result.meters.end() ? nullptr : &*it;
  }
  static std::multiset<std::string> Ids(const ScanResult& result) {
    std::multiset<std::string> ids;
    for (const auto& meter : result.meters) ids.insert(meter.Id());
    return ids;
  }

  ScopedWorkingDirectory cwd;
  BuiltPlugins plugins;
  BusProtocolLibrary bus;
  mbus::Port port{nullptr, nullptr};
  Recorder recorder;
  int stopAfter = 0;
};

TEST_F(MeterScan, PrimaryScanFindsEachMeterOnceAndCallsASharedAddressACollision) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini"), MeterFile("krv_cold_water.ini"),
                  WriteMeter(cwd.Path(), "41000777", 2), MeterFile("mute_user_data.ini")});
  const ScanResult result = ScanPrimary(Open(sim), Range(0, 10), &recorder);

  EXPECT_EQ(result.end, ScanEnd::Complete);
  ASSERT_EQ(result.meters.size(), 3u);
  const FoundMeter& heat = result.meters[0];
  EXPECT_EQ(heat.primaryAddress, 1);
  EXPECT_EQ(heat.Id(), "41000001");
  EXPECT_EQ(heat.manufacturer, "KRV");
  EXPECT_EQ(heat.medium, 4);
  EXPECT_EQ(heat.version, 3);
  EXPECT_EQ(heat.model, "TV-7 heat");
  EXPECT_FALSE(heat.collision);
  EXPECT_FALSE(heat.NeedsSelection());
  EXPECT_EQ(heat.SecondaryAddress(), "410000012E560304");  // KRV = 0x2E56

  const FoundMeter& shared = result.meters[1];
  EXPECT_EQ(shared.primaryAddress, 2);
  EXPECT_TRUE(shared.collision);

  const FoundMeter& mute = result.meters[2];
  EXPECT_EQ(mute.primaryAddress, 9);
  EXPECT_TRUE(mute.acknowledgedOnly);

  // Progress counts addresses, and the observer heard every finding.
  EXPECT_EQ(recorder.progress.front().total, 11);
  EXPECT_EQ(recorder.progress.back().done, 11);
  EXPECT_EQ(recorder.found.size(), 3u);
  EXPECT_GE(result.silentExchanges, 8);
}

TEST_F(MeterScan, AStoppedScanEndsAtOnceAndLeavesThePortUsable) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  stopAfter = 3;
  const mbus::Link link = Open(sim);
  const ScanResult result = ScanPrimary(link, Range(5, 250), &recorder);
  EXPECT_EQ(result.end, ScanEnd::Stopped);
  EXPECT_LE(result.exchanges, 3);

  stopAfter = 0;
  mbus::Telegram telegram = mbus::NewTelegram(bus.GetApi());
  ASSERT_TRUE(mbus::ResetLink(link, 1));
  EXPECT_EQ(mbus::ReadUserData(link, 1, telegram.get()).status, mbus::ReadStatus::Done);
  EXPECT_EQ(telegram->identification, 0x41000001u);
}

TEST_F(MeterScan, AMeterHeardOnlyAt9600IsFoundByAScanAt9600) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat_9600.ini"), MeterFile("krv_water_7.ini")});
  EXPECT_TRUE(ScanPrimary(Open(sim, 2400), Range(7, 9), nullptr).meters.empty());
  const ScanResult at9600 = ScanPrimary(Open(sim, 9600), Range(7, 10), nullptr);
  ASSERT_EQ(at9600.meters.size(), 1u);
  EXPECT_EQ(at9600.meters[0].Id(), "41000081");
  EXPECT_EQ(at9600.meters[0].primaryAddress, 8);
}

// With line timing on: a meter whose acknowledgement comes after the window
// must not be taken for a meter at the next address, and a converter that
// echoes each request changes nothing.
TEST_F(MeterScan, ALateMeterIsNotReportedAtTheNextAddressAndAnEchoIsIgnored) {
  const auto late = cwd.Path() / "late.ini";
  std::ofstream(late) << "[meter]\naddress = 3\nspeed = 2400\nidentification = 41000333\n"
                         "manufacturer = KRV\nversion = 2\nmedium = 7\nreply_delay_ms = 420\n"
                         "record = 04 13 : 1\n";
  SimProcess sim({"--echo", late.string(), MeterFile("krv_cold_water.ini")});
  const ScanResult result = ScanPrimary(Open(sim), Range(1, 4), nullptr);
  ASSERT_EQ(result.meters.size(), 1u);
  EXPECT_EQ(result.meters[0].primaryAddress, 2);
  EXPECT_EQ(result.meters[0].Id(), "41000021");
}

// Meters that keep their selection through a SND_NKE to 253, and meters that
// follow EN 13757-3 to the letter.
class SecondaryScan : public MeterScan, public ::testing::WithParamInterface<bool> {
 protected:
  std::vector<std::string> Args(std::vector<std::string> files) const {
    files.insert(files.begin(), "--no-timing");
    if (GetParam()) files.insert(files.begin(), "--standard-selection");
    return files;
  }
};

INSTANTIATE_TEST_SUITE_P(Selection, SecondaryScan, ::testing::Bool());

TEST_P(SecondaryScan, FindsEveryMeterOnceWithItsPulseInputDevicesAndMarksSharedAddresses) {
  SimProcess sim(Args({MeterFile("krv_heat.ini"), MeterFile("krv_cold_water.ini"),
                       WriteMeter(cwd.Path(), "41000121", 2), MeterFile("mld_heat.ini"),
                       WriteMeter(cwd.Path(), "41000003", 0)}));
  const ScanResult result = ScanSecondary(Open(sim), {}, &recorder);

  EXPECT_EQ(result.end, ScanEnd::Complete);
  EXPECT_EQ(Ids(result), (std::multiset<std::string>{"41000001", "41000011", "41000012", "41000021",
                                                     "41000121", "52000001", "41000003"}));
  const FoundMeter* cold = ById(result, "41000021");
  const FoundMeter* other = ById(result, "41000121");
  ASSERT_TRUE(cold && other);
  EXPECT_EQ(cold->model, "VS-20 cold");
  EXPECT_TRUE(cold->sharesPrimaryAddress && other->sharesPrimaryAddress);
  EXPECT_TRUE(cold->NeedsSelection());
  const FoundMeter* heat = ById(result, "41000001");
  ASSERT_TRUE(heat);
  EXPECT_EQ(heat->primaryAddress, 1);
  EXPECT_FALSE(heat->NeedsSelection());
  EXPECT_EQ(ById(result, "41000003")->primaryAddress, 0);
  EXPECT_TRUE(ById(result, "41000003")->NeedsSelection());
  // The pulse-input device answers at 253 only.
  EXPECT_FALSE(ById(result, "41000011")->primaryAddress.has_value());
  EXPECT_EQ(ById(result, "41000011")->model, "WS-15 cold");

  EXPECT_EQ(static_cast<int>(recorder.found.size()), 7);
}

TEST_F(MeterScan, FiltersAndTheMaskLimitTheSecondaryScan) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini"), MeterFile("krv_cold_water.ini"),
                  MeterFile("mld_heat.ini"), MeterFile("mld_cold_water.ini")});
  const mbus::Link link = Open(sim);
  EXPECT_EQ(Ids(ScanSecondary(link, Filter("FFFFFFFF", "MLD"), nullptr)),
            (std::multiset<std::string>{"52000001", "52000011"}));
  EXPECT_EQ(Ids(ScanSecondary(link, Filter("FFFFFFFF", "", 22), nullptr)),
            (std::multiset<std::string>{"41000011", "41000021", "52000011"}));
  EXPECT_EQ(Ids(ScanSecondary(link, Filter("4100002F"), nullptr)),
            (std::multiset<std::string>{"41000021"}));
  EXPECT_EQ(ScanSecondary(link, Filter("41x0FFFF"), nullptr).end, ScanEnd::InvalidMask);
}

TEST(ScanMask, DigitsAndWildcardsOnly) {
  EXPECT_EQ(ParseIdMask("1234FFFF"), 0x1234FFFF);
  EXPECT_EQ(ParseIdMask("ffffffff"), 0xFFFFFFFF);
  EXPECT_FALSE(ParseIdMask("1234FFF"));
  EXPECT_FALSE(ParseIdMask("1234FFFFF"));
  EXPECT_FALSE(ParseIdMask("12A4FFFF"));
  FoundMeter meter;
  meter.identification = 0x41000003;
  meter.manufacturer = "KRV";
  meter.version = 2;
  meter.medium = 7;
  const mbus::Selection selection = SelectionOf(meter);
  EXPECT_EQ(selection.identification, 0x41000003);
  EXPECT_EQ(selection.manufacturer, "KRV");
  EXPECT_EQ(selection.version, 2);
  EXPECT_EQ(selection.medium, 7);
}

}  // namespace
