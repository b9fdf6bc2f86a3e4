// The bus exchanges of one read, against a scripted M-Bus library.
#include "core/meter_reader.h"

#include <gtest/gtest.h>

#include <stop_token>

#include "block.h"
#include "fake_bus.h"

namespace devicescreen::test {
namespace {

constexpr std::uint8_t kSndNke = 0x40;
constexpr std::uint8_t kReqUd2 = 0x5B;

class MeterReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(bus_.LiveObjects(), 0); }  // every object released

  ReadOutcome Read(std::uint8_t address = 5, std::stop_token stop = {}) {
    return ReadMeter({bus_.Library(), bus_.Port()}, address, stop);
  }

  FakeBus bus_;
};

TEST_F(MeterReaderTest, ResetsTheLinkThenGathersEveryTelegram) {
  bus_.Queue(Answer::Ack());
  // The trailing DIF 1F of the first telegram announces the next one; a
  // manufacturer's block with data is a record like any other.
  auto first = Answer::Data({Block(0x04, 0x06).Number(1000, "Wh"),
                             Block(0x04, 0x13).Number(2.5, "m^3"), Block(0x1F, 0x00)},
                            /*more=*/true);
  bus_.Queue(first);
  auto last =
      Answer::Data({Block(0x02, 0x59).Number(70.12, "°C"), Block(0x0F, 0x00).Bytes({0x01, 0x02})});
  last.identification = 0x41000002;
  bus_.Queue(last);

  const ReadOutcome outcome = Read(5);
  ASSERT_EQ(outcome.status, ReadStatus::Done);
  const auto sent = bus_.Sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].c, kSndNke);
  EXPECT_EQ(sent[1].c, kReqUd2);
  EXPECT_EQ(sent[2].c, kReqUd2);
  for (const auto& request : sent) EXPECT_EQ(request.a, 5);
  const MeterReading& reading = outcome.reading;
  EXPECT_EQ(reading.telegrams, 2);
  ASSERT_EQ(reading.records.size(), 4u);
  EXPECT_DOUBLE_EQ(reading.records[0].decoded, 1000);
  EXPECT_DOUBLE_EQ(reading.records[1].decoded, 2.5);
  EXPECT_EQ(reading.records[2].unit, "°C");
  EXPECT_EQ(reading.records[3].data.size(), 2u);
  EXPECT_EQ(reading.header.identification, 0x41000002u);
  EXPECT_EQ(reading.header.manufacturer, "KRV");
}

TEST_F(MeterReaderTest, ASelectedDeviceIsReadWithoutAResetThatWouldEndItsSelection) {
  bus_.Queue(Answer::Data({Block(0x04, 0x06).Number(1000, "Wh")}));
  EXPECT_EQ(Read(253).status, ReadStatus::Done);
  const auto sent = bus_.Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].c, kReqUd2);
  EXPECT_EQ(sent[0].a, 253);
}

TEST_F(MeterReaderTest, ASecondResetWakesASlowMeter) {
  bus_.Queue(Answer::Silence());
  bus_.Queue(Answer::Ack());
  bus_.Queue(Answer::Data({Block(0x04, 0x06).Number(1000, "Wh")}));
  EXPECT_EQ(Read(5).status, ReadStatus::Done);
  EXPECT_EQ(bus_.Sent().size(), 3u);
}

TEST_F(MeterReaderTest, DataFromAnotherAddressIsNeverTakenForTheMetersOwn) {
  bus_.Queue(Answer::Ack());
  auto stranger = Answer::Data({Block(0x04, 0x06).Number(1000, "Wh")});
  stranger.address = 7;
  bus_.Queue(stranger);
  const ReadOutcome outcome = Read(5);
  EXPECT_EQ(outcome.status, ReadStatus::NoAnswer);
  EXPECT_TRUE(outcome.reading.records.empty());

  // At 253 and 254 whoever answers does so with its own address.
  bus_.Queue(Answer::Ack());
  bus_.Queue(stranger);
  EXPECT_EQ(Read(254).status, ReadStatus::Done);
}

TEST_F(MeterReaderTest, SilenceIsNoAnswer) {
  // No acknowledgement to either reset: no data is asked for.
  EXPECT_EQ(Read().status, ReadStatus::NoAnswer);
  EXPECT_EQ(bus_.Sent().size(), 2u);
  // Acknowledged, but no data.
  bus_.Queue(Answer::Ack());
  EXPECT_EQ(Read().status, ReadStatus::NoAnswer);
  // A telegram announced but never sent leaves the read incomplete.
  bus_.Queue(Answer::Ack());
  bus_.Queue(Answer::Data({Block(0x04, 0x06).Number(1000, "Wh")}, /*more=*/true));
  const ReadOutcome cut = Read();
  EXPECT_EQ(cut.status, ReadStatus::NoAnswer);
}

TEST_F(MeterReaderTest, AnApplicationErrorIsTheDevicesOwnAnswer) {
  bus_.Queue(Answer::Ack());
  auto error = Answer::Data({});
  error.ci = 0x70;
  error.errorText = "busy";
  bus_.Queue(error);
  const ReadOutcome outcome = Read();
  EXPECT_EQ(outcome.status, ReadStatus::DeviceError);
  EXPECT_EQ(outcome.errorText, "busy");
}

TEST_F(MeterReaderTest, NothingIsSentWithoutALibraryOrAUsablePort) {
  EXPECT_EQ(ReadMeter({nullptr, bus_.Port()}, 1, {}).status, ReadStatus::BusMissing);
  EXPECT_EQ(ReadMeter({bus_.Library(), nullptr}, 1, {}).status, ReadStatus::BusMissing);
  KeldarBusProtocolLibrary unloaded = *bus_.Library();
  unloaded.module = nullptr;
  EXPECT_EQ(ReadMeter({&unloaded, bus_.Port()}, 1, {}).status, ReadStatus::BusMissing);
  bus_.SetPortUsable(false);
  EXPECT_EQ(Read().status, ReadStatus::PortUnavailable);
  EXPECT_TRUE(bus_.Sent().empty());
}

TEST_F(MeterReaderTest, AStopRequestEndsTheReadBetweenExchanges) {
  std::stop_source stop;
  stop.request_stop();
  EXPECT_EQ(Read(1, stop.get_token()).status, ReadStatus::Stopped);
  EXPECT_TRUE(bus_.Sent().empty());

  // Asked to stop while the first telegram is on its way: no further request.
  std::stop_source midway;
  int reads = 0;
  bus_.OnRead([&] {
    if (++reads == 2) midway.request_stop();
  });
  bus_.Queue(Answer::Ack());
  bus_.Queue(Answer::Data({Block(0x04, 0x06).Number(1000, "Wh")}, /*more=*/true));
  bus_.SetDefault(Answer::Data({}, /*more=*/true));
  EXPECT_EQ(Read(1, midway.get_token()).status, ReadStatus::Stopped);
  EXPECT_EQ(bus_.Sent().size(), 2u);  // reset and first request; none after
}

TEST_F(MeterReaderTest, APortLostDuringTheReadIsNamedAndNotReadFrom) {
  int reads = 0;
  bus_.OnRead([&] {
    if (++reads == 2) bus_.SetPortUsable(false);  // unplugged while the first telegram comes
  });
  bus_.Queue(Answer::Ack());
  bus_.Queue(Answer::Data({Block(0x04, 0x06).Number(1000, "Wh")}, /*more=*/true));
  bus_.SetDefault(Answer::Data({}, /*more=*/true));
  EXPECT_EQ(Read().status, ReadStatus::PortUnavailable);
  EXPECT_EQ(bus_.Sent().size(), 3u);  // the next request went out ...
  EXPECT_EQ(reads, 2);                // ... but no answer was waited for
}

TEST_F(MeterReaderTest, AMeterThatNeverStopsAnnouncingMoreIsCutOff) {
  bus_.Queue(Answer::Ack());
  bus_.SetDefault(Answer::Data({Block(0x04, 0x06).Number(1, "Wh")}, /*more=*/true));
  const ReadOutcome outcome = Read();
  EXPECT_EQ(outcome.status, ReadStatus::Done);
  EXPECT_EQ(outcome.reading.telegrams, 64);
}

}  // namespace
}  // namespace devicescreen::test
