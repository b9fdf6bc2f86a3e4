// The window's exchange log: the switch in config.ini, and a port opened while
// it is on tracing into logs/ under the working folder.
#include "device/bus_log_setting.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/bus/exchange.h"
#include "base/bus/objects.h"
#include "base/core/ini_file.h"
#include "base/platform/library.h"
#include "device/bus_protocol_library.h"
#include "sim_process.h"
#include "test_support.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BusLogSetting : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetPluginDirectory(KELDAR_BIN_DIR);
    bus.emplace();
    ASSERT_TRUE(bus->IsLoaded());
  }
  void TearDown() override {
    bus.reset();
    platform::SetPluginDirectory({});
  }
  // Opens the port as the window does and pings the meter once.
  std::filesystem::path OpenAndPing(const KeldarBusProtocolLibrary* lib) {
    const mbus::Port port = mbus::OpenPort(lib, sim.Path().c_str(), 2400);
    const std::filesystem::path log = TraceNewPort(lib, port.get(), settings, folder.Path());
    EXPECT_EQ(mbus::Ping({lib, port.get(), {}}, 1), KELDAR_BUS_RESULT_ACK);
    return log;
  }

  TempFolder folder;
  IniFile settings{folder / "config.ini"};
  std::optional<BusProtocolLibrary> bus;
  SimProcess sim{{"--no-timing", MeterFile("krv_heat.ini")}};
};

TEST_F(BusLogSetting, TheSwitchIsKeptInConfigIni) {
  EXPECT_FALSE(BusLogWanted(settings)) << "off until switched on";
  ASSERT_TRUE(StoreBusLogWanted(settings, true));
  EXPECT_NE(Slurp(folder / "config.ini").find("[LOG]\r\nBUS = 1\r\n"), std::string::npos)
      << Slurp(folder / "config.ini");
  IniFile reread{folder / "config.ini"};
  reread.Load();
  EXPECT_TRUE(BusLogWanted(reread));
  ASSERT_TRUE(StoreBusLogWanted(settings, false));
  EXPECT_FALSE(BusLogWanted(settings));
}

// bus-YYYYMMDD-HHMMSS.log, or with -N before .log when a second opened in the same second.
bool IsLogName(const std::string& name) {
  const auto digits = [&](std::size_t from, std::size_t count) {
    if (from + count > name.size()) return false;
    for (std::size_t i = from; i < from + count; ++i) {
      if (name[i] < '0' || name[i] > '9') return false;
    }
    return true;
  };
  if (name.rfind("bus-20", 0) != 0 || !digits(6, 6) || name.size() < 23 || name[12] != '-' ||
      !digits(13, 6))
    return false;
  const std::string rest = name.substr(19);
  if (rest == ".log") return true;
  return rest.size() > 5 && rest[0] == '-' && digits(20, rest.size() - 5) &&
         rest.substr(rest.size() - 4) == ".log";
}

TEST_F(BusLogSetting, APortOpenedWhileOnTracesIntoLogs) {
  EXPECT_TRUE(OpenAndPing(bus->GetApi()).empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "logs")) << "nothing while off";

  ASSERT_TRUE(StoreBusLogWanted(settings, true));
  const std::filesystem::path first = OpenAndPing(bus->GetApi());
  const std::filesystem::path second = OpenAndPing(bus->GetApi());
  EXPECT_EQ(first.parent_path(), folder / "logs");
  EXPECT_TRUE(IsLogName(first.filename().string())) << first;
  EXPECT_NE(first, second) << "each port a file of its own";
  for (const auto& log : {first, second}) {
    const std::string text = Slurp(log);
    EXPECT_NE(text.find("M> 10 40 01 41 16  ; SND_NKE a=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("S< E5  ; E5\n"), std::string::npos) << text;
  }
}

TEST_F(BusLogSetting, ALibraryWithoutTheTraceExportStillTalks) {
  ASSERT_TRUE(StoreBusLogWanted(settings, true));
  KeldarBusProtocolLibrary older = *bus->GetApi();
  older.CProcessComPortSetTrace = KeldarSlot{};
  EXPECT_TRUE(OpenAndPing(&older).empty());
  const mbus::Port port = mbus::OpenPort(&older, sim.Path().c_str(), 2400);
  const std::string file = (folder / "x.log").string();
  EXPECT_EQ(keldar_bus_CProcessComPortSetTrace(&older, port.get(), file.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_FALSE(std::filesystem::exists(folder / "logs"));
}

TEST(BusLogPath, NamedByTheSecondAndNumberedWithinIt) {
  TempFolder folder;
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 2;
  when.tm_mday = 7;
  when.tm_hour = 9;
  when.tm_min = 5;
  when.tm_sec = 3;
  when.tm_isdst = -1;
  const std::time_t t = std::mktime(&when);
  const auto path = NewBusLogPath(folder.Path(), t);
  EXPECT_EQ(path, folder / "logs" / "bus-20260307-090503.log");
  std::filesystem::create_directories(folder / "logs");
  std::ofstream(path) << "taken";
  EXPECT_EQ(NewBusLogPath(folder.Path(), t), folder / "logs" / "bus-20260307-090503-2.log");
}

}  // namespace
