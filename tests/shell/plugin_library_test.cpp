#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "base/core/admin_tools_library.h"
#include "device/bus_protocol_library.h"
#include "device/device_plugin_library.h"
#include "test_support.h"

namespace {

const std::filesystem::path kFakes(KELDAR_FAKES_DIR);

// The getter names of the bus export list, in list order (the aliased status
// slot is filled by a second call of the same getter).
std::vector<std::string> ExpectedGetterCalls() {
  std::vector<std::string> calls;
#define NONE(member, required)
#define GET(member, required) calls.push_back("BusProtocol: get " #member);
#define AGAIN(member, exported, required) calls.push_back("BusProtocol: get " #exported);
  KELDAR_BUS_PROTOCOL_EXPORTS(NONE, GET, AGAIN)
#undef NONE
#undef GET
#undef AGAIN
  return calls;
}

std::vector<std::string> Filter(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> result;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(result),
               [&](const std::string& line) { return line.find(part) != std::string::npos; });
  return result;
}

bool AllZero(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  return std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
}

TEST(PluginLibrary, AMissingLibraryLeavesTheWrapperNotLoadedAndEmpty) {
  ScopedWorkingDirectory empty;
  FakePluginSession session(empty.Path());
  BusProtocolLibrary bus;
  AdminToolsLibrary admin;
  EXPECT_FALSE(bus.IsLoaded());
  EXPECT_FALSE(admin.IsLoaded());
  EXPECT_TRUE(AllZero(bus.GetApi(), sizeof *bus.GetApi()));
  EXPECT_TRUE(session.Lines().empty());
}

TEST(PluginLibrary, GettersFillTheirSlotsInListOrderAndTheStatusSlotTwice) {
  FakePluginSession session(kFakes / "all");
  {
    BusProtocolLibrary bus;
    ASSERT_TRUE(bus.IsLoaded());
    const auto lines = session.Lines();
    EXPECT_EQ(lines.front(), "BusProtocol: load");
    const auto getters = Filter(lines, ": get ");
    EXPECT_EQ(getters, ExpectedGetterCalls());
    const std::vector<std::string> firstGetters(getters.begin(), getters.begin() + 3);
    EXPECT_EQ(firstGetters, (std::vector<std::string>{"BusProtocol: get DataMbusSize",
                                                      "BusProtocol: get DataMbusPushBack",
                                                      "BusProtocol: get DataMbusGetIndexData"}));
    const auto status =
        std::find(getters.begin(), getters.end(), "BusProtocol: get CProcessComPortGetStatus");
    ASSERT_NE(status, getters.end());
    EXPECT_EQ(*std::prev(status), "BusProtocol: get CProcessComPortGetSpeed");
    EXPECT_EQ(*std::next(status), *status);
    EXPECT_EQ(*std::next(status, 2), "BusProtocol: get CProcessComPortSetAdress");

    // Each slot holds its own operation, each entry its own function.
    const auto* api = bus.GetApi();
    api->ParserTelegram.entry();
    api->CProcessComPortGetStatusAgain.entry();
    api->CreateTelegramMbus();
    api->GetSpecificallyData.entry();
    const auto after = session.Lines();
    const std::vector<std::string> calls(after.end() - 4, after.end());
    EXPECT_EQ(calls,
              (std::vector<std::string>{
                  "BusProtocol: op ParserTelegram", "BusProtocol: op CProcessComPortGetStatus",
                  "BusProtocol: call _CreateTelegramMbus", "BusProtocol: op GetSpecificallyData"}));
  }
  EXPECT_EQ(session.Lines().back(), "BusProtocol: unload") << "the wrapper unloads its library";
}

TEST(PluginLibrary, ALibraryWithoutAnExportTheShellCallsCountsAsNotLoaded) {
  FakePluginSession session(kFakes / "broken");
  BusProtocolLibrary bus;
  EXPECT_FALSE(bus.IsLoaded());
  EXPECT_TRUE(AllZero(bus.GetApi(), sizeof *bus.GetApi()));
  EXPECT_TRUE(Filter(session.Lines(), ": get ").empty()) << "no getter runs for a refused library";
  EXPECT_EQ(session.Lines().back(), "BusProtocol: unload");
}

TEST(PluginLibrary, AMissingOptionalExportLeavesOnlyItsSlotEmpty) {
  FakePluginSession session(kFakes / "partial");
  BusProtocolLibrary bus;
  ASSERT_TRUE(bus.IsLoaded());
  EXPECT_EQ(bus.GetApi()->GetQMax.entry, nullptr);
  EXPECT_NE(bus.GetApi()->GetQn.entry, nullptr);
  EXPECT_NE(bus.GetApi()->GetQMin.entry, nullptr);
}

TEST(PluginLibrary, AdministrationAndDeviceWrappersResolveTheirFactories) {
  FakePluginSession session(kFakes / "all");
  AdminToolsLibrary admin;
  ASSERT_TRUE(admin.IsLoaded());
  EXPECT_NE(admin.CreateAdministration(), nullptr);
  EXPECT_NE(admin.DeleteArchive(), nullptr);
  EXPECT_NE(admin.GetApi()->CArrayDataWaterHotGetIndexData.entry, nullptr);

  for (const auto& info : kDevicePlugins) {
    DevicePluginLibrary device(info);
    EXPECT_TRUE(device.IsLoaded()) << info.fileName;
    EXPECT_NE(device.CreateMainFrame(), nullptr);
    EXPECT_NE(device.DeleteMainFrame(), nullptr);
  }
}

}  // namespace
