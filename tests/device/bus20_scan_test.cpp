// Both scans over the simulated 20-meter bus: identification numbers that
// share their leading digits, two meters on one primary address, one on 0.
#include <gtest/gtest.h>

#include <set>

#include "base/bus/objects.h"
#include "base/platform/library.h"
#include "device/bus_protocol_library.h"
#include "device/meter_scan.h"
#include "sim_process.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

class Bus20 : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bus.IsLoaded()); }
  struct Plugins {
    Plugins() { platform::SetPluginDirectory(KELDAR_BIN_DIR); }
    ~Plugins() { platform::SetPluginDirectory({}); }
  } plugins;
  BusProtocolLibrary bus;
  SimProcess sim{{"--no-timing", MeterFile("bus20.ini")}};
  mbus::Port port = mbus::OpenPort(bus.GetApi(), sim.Path().c_str(), 2400);
  mbus::Link link{bus.GetApi(), port.get(), {}};
};

TEST_F(Bus20, BothScansFindEveryMeterOnceAndTheSharedAddressShowsUp) {
  const ScanResult secondary = ScanSecondary(link, {}, nullptr);
  ASSERT_EQ(secondary.end, ScanEnd::Complete);
  std::set<std::string> bySelection;
  for (const FoundMeter& meter : secondary.meters) {
    EXPECT_TRUE(bySelection.insert(meter.Id()).second) << meter.Id() << " found twice";
    EXPECT_FALSE(meter.collision || meter.acknowledgedOnly) << meter.Id();
    EXPECT_EQ(meter.sharesPrimaryAddress, meter.primaryAddress == 60) << meter.Id();
    EXPECT_EQ(meter.NeedsSelection(), meter.primaryAddress == 60 || meter.primaryAddress == 0);
    EXPECT_FALSE(meter.model.empty()) << meter.Id();
  }
  EXPECT_EQ(bySelection.size(), 20u);
  EXPECT_LT(secondary.selections, 10 * 20);

  const ScanResult primary = ScanPrimary(link, {}, nullptr);
  ASSERT_EQ(primary.end, ScanEnd::Complete);
  std::set<std::string> byAddress;
  int collisions = 0;
  for (const FoundMeter& meter : primary.meters) {
    if (meter.collision) {
      ++collisions;
      EXPECT_EQ(meter.primaryAddress, 60);
      continue;
    }
    EXPECT_TRUE(byAddress.insert(meter.Id()).second) << meter.Id() << " found twice";
    EXPECT_TRUE(bySelection.count(meter.Id())) << meter.Id();
  }
  EXPECT_EQ(collisions, 1);
  EXPECT_EQ(byAddress.size(), 18u);  // all but the two that share address 60
}

}  // namespace
