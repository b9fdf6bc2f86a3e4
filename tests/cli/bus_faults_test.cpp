// keldar-cli against lines that misbehave as real ones do: noise, a meter
// that answers late, one that answers with another address, a converter that
// echoes, two meters at 254. Nothing may count as acknowledged that was not,
// and nothing may be written that the user did not ask for.
#include <gtest/gtest.h>

#include <QJsonArray>

#include "meter_commands.h"

namespace {

using namespace keldar::cli::test;

constexpr char kColdWater[] =
    "[meter]\nspeed = 2400\nmanufacturer = KRV\nversion = 2\nmedium = 22\n"
    "model = VS-20 cold\nsoftware = 1.12\nrecord = 0C 13 : 00873412\n";

class BusFaults : public MeterCommands {
 protected:
  // A meter file of the cold-water meter with `address`, `identification` and `extra` lines.
  std::string Meter(const std::string& name, int address, const std::string& identification,
                    const std::string& extra = {}) {
    const auto file = cwd.Path() / name;
    WriteFile(file, std::string(kColdWater) + "address = " + std::to_string(address) +
                        "\nidentification = " + identification + "\n" + extra);
    return file.string();
  }
  std::string Interference() {
    const auto file = cwd.Path() / "noise.ini";
    WriteFile(file, "[meter]\nnoise = 12\nreply_delay_ms = 15\n");
    return file.string();
  }
  std::string State() const { return (cwd.Path() / "state.ini").string(); }
  // Every SND_UD the simulated meters received.
  static int Writes(const std::string& log) {
    int writes = 0;
    for (std::size_t at = log.find("SND_UD"); at != std::string::npos;
         at = log.find("SND_UD", at + 1))
      ++writes;
    return writes;
  }
};

TEST_F(BusFaults, NoiseIsNeverAnAcknowledgementNorAMeter) {
  SimProcess sim({"--log", Log(), Interference()});
  for (int attempt = 0; attempt < 5; ++attempt) {
    const CliResult run = Command("set-address", sim.Path(), 1, {"--primary", "5"});
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_EQ(run.out.find("успешно"), std::string::npos) << run.out;
  }
  EXPECT_EQ(Writes(BusLog(Log())), 0) << "no write after a reset drowned in noise";

  const CliResult identify =
      Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "1", "--json"});
  ASSERT_EQ(identify.status, 0) << identify.err;
  const QJsonObject result = JsonObject(identify.out);
  EXPECT_TRUE(result["found_baud"].isNull()) << identify.out;
  EXPECT_TRUE(result["devices"].toArray().isEmpty());
  EXPECT_EQ(result["reason"].toString(), "collision") << "bytes came, but no frame";

  const CliResult read = Cli({"read", "--port", sim.Path(), "--baud", "2400", "--address", "1"});
  EXPECT_EQ(read.status, 1);
  EXPECT_NE(read.err.find("make no frame"), std::string::npos) << read.err;
}

TEST_F(BusFaults, ALateAcknowledgementIsNotTakenForTheWrite) {
  // The window at 2400 baud is 287.5 ms; this meter answers after 330 ms and
  // ignores writes.
  SimProcess sim(
      {"--log", Log(), "--state", State(),
       Meter("late.ini", 2, "41000021", "reply_delay_ms = 330\nignores_writes = yes\n")});
  const CliResult run = Command("set-address", sim.Path(), 2, {"--primary", "5"});
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_EQ(run.out, "Первичный и вторичный адрес не был изменен.\n");
  EXPECT_EQ(Writes(BusLog(Log())), 0) << "no write follows an unacknowledged reset";
  EXPECT_NE(BusLog(State()).find("primary_address = 2\n"), std::string::npos);
}

TEST_F(BusFaults, AWriteIsReportedOnlyWhenTheMeterTookIt) {
  // The meter acknowledges its reset in time but never the write.
  SimProcess sim({"--no-timing", "--state", State(),
                  Meter("deaf.ini", 2, "41000021", "ignores_writes = yes\n")});
  EXPECT_EQ(Command("set-serial", sim.Path(), 2, {"12345"}).status, 1);
  EXPECT_EQ(Command("set-type", sim.Path(), 2, {"6"}).status, 1);
  const CliResult run = Command("set-address", sim.Path(), 2, {"--primary", "5", "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(JsonObject(run.out)["primary_changed"].toBool());
}

TEST_F(BusFaults, DataFromAnotherAddressIsNotTheAskedMetersData) {
  SimProcess sim({"--no-timing", Meter("stranger.ini", 1, "41000099", "answer_address = 7\n")});
  const CliResult read =
      Cli({"read", "--port", sim.Path(), "--baud", "2400", "--address", "1", "--json"});
  EXPECT_EQ(read.status, 1);
  EXPECT_EQ(read.out.find("41000099"), std::string::npos) << "its data is not shown";
  EXPECT_NE(read.err.find("another primary address"), std::string::npos) << read.err;

  const CliResult identify =
      Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "1", "--json"});
  const QJsonObject result = JsonObject(identify.out);
  EXPECT_TRUE(result["manufacturer"].isNull()) << identify.out;
  EXPECT_TRUE(result["devices"].toArray().isEmpty());

  const CliResult config = Command("config", sim.Path(), 1);
  EXPECT_EQ(config.status, 1);
  EXPECT_EQ(config.out.find("41000099"), std::string::npos) << config.out;

  // At 254 a meter answers with its own address, whatever it is.
  EXPECT_EQ(Cli({"read", "--port", sim.Path(), "--baud", "2400", "--address", "254"}).status, 0);
}

TEST_F(BusFaults, AMeterThatOnlyAcknowledgesIsNotPrintedAsOneThatWasRead) {
  SimProcess sim({"--no-timing", MeterFile("mute_user_data.ini")});
  const CliResult run = Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "9"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.find("medium -1"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("не переменными данными"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("sent no identification"), std::string::npos) << run.out;
}

// Manufacturer code 0 is an identification too: the meter is named "@@@",
// not taken for one without data, and not for a maker the program serves.
TEST_F(BusFaults, AMeterWithManufacturerCodeZeroIsNamedButNotServed) {
  SimProcess sim({"--no-timing", "--address", "5", "--speed", "2400", "--replay",
                  "68 13 13 68 08 05 72 78 56 34 12 00 00 03 07 01 00 00 00 02 6C 00 00 0C 16"});
  const CliResult text = Command("identify", sim.Path(), 5);
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("\nmeter @@@, medium 7, answered at 2400 baud"), std::string::npos)
      << text.out;

  const CliResult json = Command("identify", sim.Path(), 5, {"--json"});
  const QJsonObject result = JsonObject(json.out);
  EXPECT_EQ(result["manufacturer"].toString(), "@@@") << json.out;
  EXPECT_TRUE(result["devices"].toArray().isEmpty()) << json.out;
}

TEST_F(BusFaults, ASpeedWithoutACodeIsRefusedBeforeAnythingIsSentOrStored) {
  SimProcess sim({"--no-timing", "--log", Log(), Meter("meter.ini", 1, "41000021")});
  for (const char* speed : {"1234", "76800"}) {
    const CliResult run =
        Cli({"identify", "--port", sim.Path(), "--baud", speed, "--address", "1"});
    EXPECT_EQ(run.status, 2) << speed;
    EXPECT_NE(run.err.find("38400"), std::string::npos) << "names the speeds a meter takes";
  }
  EXPECT_EQ(BusLog(Log()), "") << "nothing on the bus";
  EXPECT_EQ(BusLog("config.ini").find("BAUD"), std::string::npos) << "nothing stored";
}

TEST_F(BusFaults, AChangeAt254IsRefusedWhenSeveralMetersListen) {
  SimProcess sim({"--no-timing", "--log", Log(), "--state", State(),
                  Meter("first.ini", 1, "41000001"), Meter("second.ini", 2, "41000002")});
  const CliResult run = Command("set-address", sim.Path(), 254, {"--primary", "5"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("первичному адресу"), std::string::npos) << run.out;
  for (const char* change : {"set-serial", "set-type"}) {
    const CliResult refused =
        Command(change, sim.Path(), 254, {change == std::string("set-serial") ? "123" : "6"});
    EXPECT_EQ(refused.status, 1) << change;
  }
  EXPECT_EQ(Writes(BusLog(Log())), 0);
  const std::string state = BusLog(State());
  EXPECT_NE(state.find("primary_address = 1\n"), std::string::npos) << state;
  EXPECT_NE(state.find("primary_address = 2\n"), std::string::npos) << state;

  // Each meter at its own address is changed as asked.
  EXPECT_EQ(Command("set-address", sim.Path(), 2, {"--primary", "5"}).status, 0);
  EXPECT_NE(BusLog(State()).find("primary_address = 5\n"), std::string::npos);
}

TEST_F(BusFaults, AChangeAt254GoesThroughWithOneMeter) {
  SimProcess sim({"--no-timing", "--state", State(), Meter("only.ini", 3, "41000003")});
  const CliResult run = Command("set-address", sim.Path(), 254, {"--primary", "9"});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(BusLog(State()).find("primary_address = 9\n"), std::string::npos);
}

TEST_F(BusFaults, AConverterThatEchoesIsReadAndWrittenThrough) {
  SimProcess sim({"--state", State(), Meter("echo.ini", 4, "41000004", "echo = yes\n")});
  const CliResult read =
      Cli({"read", "--port", sim.Path(), "--baud", "2400", "--address", "4", "--json"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(JsonObject(read.out)["id"].toString(), "41000004");
  EXPECT_EQ(Command("set-address", sim.Path(), 4, {"--primary", "8"}).status, 0);
  EXPECT_NE(BusLog(State()).find("primary_address = 8\n"), std::string::npos);
}

}  // namespace
