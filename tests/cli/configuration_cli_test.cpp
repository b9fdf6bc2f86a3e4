// keldar-cli's identification and configuration commands against the meter
// simulator: the same exchanges as the configuration screen, verified by
// reading the meter back and by the bytes on the bus.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <functional>

#include "meter_commands.h"

namespace {

using namespace keldar::cli::test;

TEST_F(MeterCommands, IdentifyPrintsProgressAndTheDevicesAsTextOrJson) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  const CliResult run =
      Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "1", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject result = JsonObject(run.out);  // the whole output: the progress is elsewhere
  EXPECT_EQ(result["found_baud"].toInt(), 2400);
  EXPECT_TRUE(result["switched"].toBool());
  EXPECT_EQ(result["manufacturer"].toString(), "KRV");
  EXPECT_EQ(result["progress"].toInt(), 1000);
  const QJsonArray devices = result["devices"].toArray();
  ASSERT_EQ(devices.size(), 3);
  EXPECT_EQ(devices[1].toObject()["serial"].toString(), "41000011");
  EXPECT_EQ(devices[2].toObject()["address"].toInt(), 253);
  EXPECT_EQ(devices[0].toObject()["subunit_count"].toInt(), 2);
  EXPECT_NE(run.err.find("progress 80: Подключение к устройству"), std::string::npos) << run.err;
  EXPECT_NE(BusLog("config.ini").find("BAUD = 2400"), std::string::npos);

  const CliResult text =
      Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "1"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_TRUE(text.err.empty()) << text.err;
  EXPECT_NE(text.out.find("progress 80: Подключение к устройству"), std::string::npos);
  EXPECT_NE(text.out.find("meter KRV, medium " + std::to_string(result["medium"].toInt()) +
                          ", answered at 2400 baud, now at 2400 baud\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("41000011"), std::string::npos) << "the devices are listed";
  EXPECT_EQ(text.out.find('{'), std::string::npos) << "no JSON without --json";

  const CliResult silent =
      Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "99", "--json"});
  EXPECT_EQ(silent.status, 0) << "the run ended, whatever it found";
  const QJsonObject nobody = JsonObject(silent.out);
  EXPECT_TRUE(nobody.contains("found_baud"));
  EXPECT_TRUE(nobody["found_baud"].isNull());
  EXPECT_EQ(nobody["reason"].toString(), "no_answer");
  EXPECT_TRUE(result.contains("reason"));
  EXPECT_TRUE(result["reason"].isNull()) << "devices were found";
  EXPECT_NE(silent.err.find("Ни одно устройство не ответило по адресу 99"), std::string::npos)
      << silent.err;

  EXPECT_EQ(
      Cli({"identify", "--port", "/dev/no-such-port", "--baud", "2400", "--address", "1"}).status,
      1);
  EXPECT_EQ(Cli({"identify", "--port", sim.Path(), "--baud", "fast", "--address", "1"}).status, 2);
}

// A catalogue that cannot be read is said, by name, and never made anew.
TEST_F(MeterCommands, IdentifySaysWhenTheFirmwareCatalogueCannotBeRead) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  const std::string sound = ReadFile("program.db");
  const std::function<void()> damages[] = {
      [] { std::filesystem::remove("program.db"); },
      [] { WriteFile("program.db", ""); },
      [&] { WriteFile("program.db", sound.substr(0, 100)); },
      [] { WriteFile("program.db", "not a database at all, only text"); },
  };
  for (std::size_t i = 0; i < std::size(damages); ++i) {
    SCOPED_TRACE(i);
    damages[i]();
    const bool existed = std::filesystem::exists("program.db");
    const CliResult run =
        Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("the firmware catalogue program.db cannot be read"), std::string::npos)
        << run.err;
    EXPECT_EQ(std::filesystem::exists("program.db"), existed) << "never created";
  }
  WriteFile("program.db", sound);
  const CliResult run = Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "1"});
  EXPECT_EQ(run.err.find("catalogue"), std::string::npos) << run.err;
}

TEST_F(MeterCommands, IdentifySaysWhenPortAndSpeedCannotBeStored) {
  // A config.ini that leads where nothing can be created, whoever runs the test.
  std::filesystem::remove("config.ini");
  std::filesystem::create_symlink("/proc/self/keldar-config.ini", "config.ini");
  Settings().Load();
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  const CliResult run = Cli({"identify", "--port", sim.Path(), "--baud", "2400", "--address", "1"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("config.ini"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("meter KRV"), std::string::npos) << "the run itself went on";
}

TEST_F(MeterCommands, AddressesAreSentAsTheScreenSendsThemAndReallyChange) {
  SimProcess sim({"--no-timing", "--log", Log(), MeterFile("krv_cold_water.ini")});
  CliResult run = Command("config", sim.Path(), 2);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "primary address: 002\nsecondary address: 41000021\n");

  // 300 is sent as 252, which the meter refuses; the secondary is filled with blanks.
  run = Command("set-address", sim.Path(), 2, {"--primary", "300", "--secondary", "1234"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Вторичный адрес успешно изменен. Первичный адрес не был изменен.\n");
  EXPECT_NE(BusLog(Log()).find("01 7A FC"), std::string::npos) << "252 on the wire";
  EXPECT_NE(BusLog(Log()).find("0C 79 00 00 34 12"), std::string::npos) << "0x12340000";

  run = Command("set-address", sim.Path(), 2, {"--primary", "17", "--json"});
  EXPECT_EQ(run.status, 0);
  const QJsonObject changed = JsonObject(run.out);
  EXPECT_TRUE(changed["acknowledged"].toBool());
  EXPECT_TRUE(changed["primary_changed"].toBool());
  EXPECT_FALSE(changed.contains("secondary_changed")) << "not asked for";
  EXPECT_FALSE(changed["message"].toString().isEmpty());
  run = Command("config", sim.Path(), 17);
  EXPECT_EQ(run.out, "primary address: 017\nsecondary address: 12340000\n");
  run = Command("config", sim.Path(), 17, {"--json"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(JsonObject(run.out),
            (QJsonObject{{"primary_address", "017"}, {"secondary_address", "12340000"}}));

  EXPECT_EQ(Command("config", sim.Path(), 2).status, 1) << "nobody at the old address";
  run = Command("config", sim.Path(), 2, {"--json"});
  EXPECT_EQ(run.status, 1);
  const QJsonObject nobody = JsonObject(run.out);
  EXPECT_TRUE(nobody["primary_address"].isNull());
  EXPECT_FALSE(nobody["acknowledged"].toBool());
  EXPECT_FALSE(nobody["message"].toString().isEmpty());
}

TEST_F(MeterCommands, SerialNumberAndTypeChangeTheMeter) {
  SimProcess sim({"--no-timing", "--log", Log(), MeterFile("krv_cold_water.ini")});
  CliResult run = Command("set-serial", sim.Path(), 2, {"00012345"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Серийный номер устройства успешно изменен.\n");
  EXPECT_NE(BusLog(Log()).find("0C 78 45 23 01 00"), std::string::npos) << "12345 as BCD";

  run = Command("set-type", sim.Path(), 2, {"6", "--json"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(JsonObject(run.out),
            (QJsonObject{{"acknowledged", true}, {"message", "Тип устройства успешно изменен."}}));

  run = Cli({"read", "--port", sim.Path(), "--baud", "2400", "--address", "2", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject telegram = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
  EXPECT_EQ(telegram["id"].toString(), "00012345");
  EXPECT_EQ(telegram["medium"].toInt(), 6);

  EXPECT_EQ(Command("set-serial", sim.Path(), 2, {"123456789"}).status, 2) << "nine digits";
}

TEST_F(MeterCommands, RefusalsAndMissingRecordsAreReportedInTheScreensWords) {
  WriteFile("locked.ini",
            "[meter]\naddress = 5\nspeed = 2400\nidentification = 55000001\nmanufacturer = KRV\n"
            "version = 5\nmedium = 7\nmodel = VK-7 water\nsoftware = 1.0\n"
            "secondary_address = read-only\n");
  WriteFile(
      "hidden.ini",
      "[meter]\naddress = 6\nspeed = 2400\nidentification = 55000002\nmanufacturer = KRV\n"
      "version = 5\nmedium = 7\nmodel = VK-7 water\nsoftware = 1.0\nsecondary_address = none\n");
  SimProcess sim(
      {"--no-timing", (cwd.Path() / "locked.ini").string(), (cwd.Path() / "hidden.ini").string()});

  CliResult run =
      Command("set-address", sim.Path(), 5, {"--primary", "9", "--secondary", "12345678"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Первичный адрес успешно изменен. Вторичный адрес не был изменен.\n");
  EXPECT_EQ(Command("config", sim.Path(), 9).out,
            "primary address: 009\nsecondary address: 55000001\n");

  run = Command("config", sim.Path(), 6);
  EXPECT_EQ(run.status, 0) << "a meter without a secondary address record is no error";
  EXPECT_EQ(run.out, "primary address: 006\nsecondary address: 00000000\n");

  WriteFile("config.ini", "[LANGUAGE]\r\nLANG = 1\r\n");
  Settings().Load();
  run = Command("set-type", sim.Path(), 77, {"6"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Invalid response from the device.\n") << "in the language of config.ini";
  run = Command("set-serial", sim.Path(), 77, {"--json", "00000001"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(JsonObject(run.out), (QJsonObject{{"acknowledged", false},
                                              {"message", "Invalid response from the device."}}));
}

}  // namespace
