// BusProtocol.so as the shell loads it: every export present, and the typed
// helpers driving a real exchange with the simulator.
#include <gtest/gtest.h>

#include "base/platform/library.h"
#include "device/bus_protocol_library.h"
#include "hex.h"
#include "keldar/bus_protocol_types.h"
#include "sim_process.h"

namespace {

class Exports : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::SetPluginDirectory(KELDAR_BIN_DIR); }
  static void TearDownTestSuite() { platform::SetPluginDirectory({}); }
};

TEST_F(Exports, EveryExportOfTheListIsThere) {
  BusProtocolLibrary library;
  ASSERT_TRUE(library.IsLoaded());
  const KeldarBusProtocolLibrary* api = library.GetApi();
#define KELDAR_CHECK_F(member, required) EXPECT_NE(api->member, nullptr) << #member;
#define KELDAR_CHECK_G(member, required) EXPECT_NE(api->member.entry, nullptr) << #member;
#define KELDAR_CHECK_GA(member, exported, required) \
  EXPECT_EQ(api->member.entry, api->exported.entry) << #member;
  KELDAR_BUS_PROTOCOL_EXPORTS(KELDAR_CHECK_F, KELDAR_CHECK_G, KELDAR_CHECK_GA)
#undef KELDAR_CHECK_F
#undef KELDAR_CHECK_G
#undef KELDAR_CHECK_GA
}

TEST_F(Exports, TypedHelpersDecodeAndBuild) {
  BusProtocolLibrary library;
  const KeldarBusProtocolLibrary* lib = library.GetApi();
  KeldarBusTelegram* telegram = keldar_bus_CreateTelegramMbus(lib);
  KeldarBusData* buffer = keldar_bus_CreateDataMbus(lib);
  for (std::uint8_t b : keldar::bus::test::FromHex(
           "68 1B 1B 68 08 01 72 07 20 18 00 E6 1E 35 07 4C 00 00 00 0C 78 07 20 18 00 "
           "0C 16 69 02 00 00 96 16")) {
    ASSERT_EQ(keldar_bus_DataMbusPushBack(lib, buffer, b), 1);
  }
  ASSERT_EQ(keldar_bus_ParserTelegram(lib, telegram, buffer), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(telegram->identification, 0x00182007u);
  ASSERT_EQ(keldar_bus_UserDataSize(lib, telegram->user_data), 2);
  KeldarBusDataInfoBlock* volume = keldar_bus_UserDataGetIndexData(lib, telegram->user_data, 1);
  EXPECT_DOUBLE_EQ(volume->decoded, 269.0);
  EXPECT_EQ(keldar_bus_CheckErrors(lib, telegram, telegram->long_frame),
            KELDAR_BUS_RESULT_LAST_TELEGRAM);

  // A copy pushed into another telegram's list belongs to that list.
  KeldarBusTelegram* target = keldar_bus_CreateTelegramMbus(lib);
  keldar_bus_UserDataPushBack(lib, target->user_data, keldar_bus_CopyDataInfoBlock(lib, volume));
  EXPECT_EQ(keldar_bus_UserDataSize(lib, target->user_data), 1);
  keldar_bus_DeleteTelegramMbus(lib, target);

  keldar_bus_LongFrameClear(lib, telegram->long_frame);
  EXPECT_EQ(keldar_bus_SetDeviceSpeed(lib, telegram->long_frame, 5, 2400), 1);
  EXPECT_EQ(keldar_bus_CLongFrameSerialize(lib, telegram->long_frame), 9);
  EXPECT_EQ(keldar_bus_GetQMax(lib, telegram->long_frame, 5), 0);
  EXPECT_EQ(telegram->long_frame->serialized.size, 0u);

  keldar_bus_DeleteDataMbus(lib, buffer);
  keldar_bus_DeleteTelegramMbus(lib, telegram);
}

TEST_F(Exports, PingAndReadThroughTheLoadedLibrary) {
  keldar::bus::test::SimProcess sim(
      {"--no-timing", keldar::bus::test::MeterFile("mld_cold_water.ini")});
  BusProtocolLibrary library;
  const KeldarBusProtocolLibrary* lib = library.GetApi();
  KeldarBusPort* port = keldar_bus_CreateCProcessComPort(lib, 0, 254, sim.Path().c_str(), 2400);
  ASSERT_EQ(keldar_bus_CProcessComPortGetStatus(lib, port), 1);
  KeldarBusTelegram* t = keldar_bus_CreateTelegramMbus(lib);
  KeldarBusData* d = keldar_bus_CreateDataMbus(lib);

  keldar_bus_ShortFrameClear(lib, t->short_frame);
  keldar_bus_SetCField(lib, t->short_frame, keldar_bus_CFieldSND_NKE(lib, t->short_frame));
  keldar_bus_SetAField(lib, t->short_frame, 5);
  keldar_bus_ShortFrameSerialize(lib, t->short_frame);
  ASSERT_EQ(keldar_bus_CProcessComPortWriteData(lib, port, t->short_frame), 1);
  keldar_bus_DataMbusClear(lib, d);
  keldar_bus_CProcessComPortReadData(lib, port, d);
  EXPECT_EQ(keldar_bus_ParserTelegram(lib, t, d), KELDAR_BUS_RESULT_ACK);

  keldar_bus_SetCField(lib, t->short_frame, keldar_bus_getCFieldREQ_UD2(lib, t->short_frame));
  keldar_bus_ShortFrameSerialize(lib, t->short_frame);
  ASSERT_EQ(keldar_bus_CProcessComPortWriteData(lib, port, t->short_frame), 1);
  keldar_bus_CProcessComPortReadData(lib, port, d);
  ASSERT_EQ(keldar_bus_ParserTelegram(lib, t, d), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_STREQ(t->manufacturer_text, "MLD");
  EXPECT_EQ(t->medium, 22);

  keldar_bus_DeleteDataMbus(lib, d);
  keldar_bus_DeleteTelegramMbus(lib, t);
  keldar_bus_DeleteCProcessComPort(lib, port);
}

}  // namespace
