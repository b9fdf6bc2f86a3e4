// Single exchanges: the link reset, a long frame built by the library, the
// selection by secondary address, and finding records in the answer.
#include "base/bus/exchange.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/bus/constants.h"
#include "base/bus/read.h"
#include "base/bus/records.h"
#include "base/bus/selection.h"
#include "bus_fixture.h"

namespace mbus::test {
namespace {

constexpr std::uint8_t kMeter = 1;

class Exchange : public SimulatedBus {
 protected:
  // Asks `address` for the FD 0C / FD 0F text of sub-unit `unit`; empty when
  // the meter gave none.
  std::string ReadText(std::uint8_t address, int unit, std::uint8_t vife) {
    const Telegram request = NewTelegram(Lib());
    keldar_bus_LongFrameClear(Lib(), request->long_frame);
    if (vife == kVifeModel)
      keldar_bus_GetDeviceModel(Lib(), request->long_frame, address, unit);
    else
      keldar_bus_GetDeviceOtherSoftware(Lib(), request->long_frame, address, unit);
    if (SendLongFrame(MakeLink(), request.get()) != KELDAR_BUS_RESULT_ACK) return {};
    const Telegram answer = NewTelegram(Lib());
    if (!Succeeded(ReadUserData(MakeLink(), address, answer.get()))) return {};
    for (const auto* record : TelegramRecords(Lib(), *answer)) {
      if (IsExtensionRecord(*record, vife))
        return std::string(record->text, ::strnlen(record->text, sizeof record->text));
    }
    return {};
  }
};

TEST_F(Exchange, OnlyTheAddressedMeterAcknowledgesTheReset) {
  Start({MeterFile("krv_heat.ini")});
  EXPECT_EQ(Ping(MakeLink(), kMeter), KELDAR_BUS_RESULT_ACK);
  EXPECT_EQ(Ping(MakeLink(), 2), KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(Requests(kSndNke), 2);
}

TEST_F(Exchange, ALongFrameIsSentAndItsSelectedRecordsFound) {
  Start({MeterFile("krv_heat.ini")});
  EXPECT_EQ(ReadText(kMeter, 0, kVifeModel), "TV-7 heat");
  EXPECT_EQ(ReadText(kMeter, 0, kVifeOtherSoftware), "2.04");
  EXPECT_EQ(ReadText(kMeter, 1, kVifeModel), "WS-15 cold") << "the device on input 0";
}

TEST_F(Exchange, NothingIsSentOnceTheRunShouldStop) {
  Start({MeterFile("krv_heat.ini")});
  const Link stopping = MakeLink([] { return true; });
  const Telegram request = NewTelegram(Lib());
  keldar_bus_LongFrameClear(Lib(), request->long_frame);
  keldar_bus_GetDeviceModel(Lib(), request->long_frame, kMeter, 0);
  EXPECT_EQ(SendLongFrame(stopping, request.get()), KELDAR_BUS_RESULT_FAILED);
  Selection anyKrv;
  anyKrv.manufacturer = "KRV";
  EXPECT_FALSE(Select(stopping, anyKrv));
  EXPECT_EQ(AllRequests(), 0);
}

TEST_F(Exchange, ASelectedSubDeviceAnswersAt253) {
  Start({MeterFile("krv_heat.ini")});
  EXPECT_FALSE(Select(MakeLink(), {.manufacturer = "KRV", .model = "no such model"}));
  EXPECT_FALSE(Select(MakeLink(), {.manufacturer = "KRV", .medium = 6, .model = "WS-15 cold"}))
      << "the cold-water meter's medium is 22";

  ASSERT_TRUE(Select(MakeLink(), {.manufacturer = "KRV", .medium = 22, .model = "WS-15 cold"}));
  const Telegram cold = NewTelegram(Lib());
  ASSERT_EQ(ReadUserData(MakeLink(), kAddressSelected, cold.get()).status, ReadStatus::Done);
  EXPECT_EQ(cold->identification, 0x41000011u);
  EXPECT_EQ(cold->medium, 22);

  // Any medium: selected by maker and model alone.
  ASSERT_TRUE(Select(MakeLink(), {.manufacturer = "KRV", .model = "WS-15 hot"}));
  const Telegram hot = NewTelegram(Lib());
  ASSERT_EQ(ReadUserData(MakeLink(), kAddressSelected, hot.get()).status, ReadStatus::Done);
  EXPECT_EQ(hot->identification, 0x41000012u);
}

TEST_F(Exchange, RecordsAreFoundByTheirExtension) {
  Start({MeterFile("krv_heat.ini")});
  const Telegram answer = NewTelegram(Lib());
  ASSERT_EQ(ReadUserData(MakeLink(), kMeter, answer.get()).status, ReadStatus::Done);
  int errorFlags = 0;
  int models = 0;
  for (const auto* record : TelegramRecords(Lib(), *answer)) {
    if (IsExtensionRecord(*record, 0x17)) ++errorFlags;  // 01 FD 17 in krv_heat.ini
    if (IsExtensionRecord(*record, kVifeModel)) ++models;
  }
  EXPECT_EQ(errorFlags, 1);
  EXPECT_EQ(models, 0) << "the readout carries no model record";

  KeldarBusDataInfoBlock record{};
  record.kind = 1;
  record.vif = kVifPulseWeight;
  record.vife.count = 2;
  record.vife.items[0].code = kVifeInput1;
  record.vife.items[1].code = kVifeModel;
  EXPECT_TRUE(HasVife(record, kVifeInput1));
  EXPECT_TRUE(HasVife(record, kVifeModel));
  EXPECT_FALSE(HasVife(record, kVifeInput0));
  EXPECT_FALSE(IsExtensionRecord(record, kVifeModel)) << "not of the FD table";
  record.vife.count = 1;
  EXPECT_FALSE(HasVife(record, kVifeModel)) << "beyond the count";
  record.vife.count = 1000;  // a count past the array is not read past it
  EXPECT_TRUE(HasVife(record, kVifeInput1));
}

}  // namespace
}  // namespace mbus::test
