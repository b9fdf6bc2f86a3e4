#include "device/identification.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <thread>

#include "base/core/ini_file.h"
#include "base/platform/library.h"
#include "device/bus_protocol_library.h"
#include "device/device_list.h"
#include "device/firmware_catalogue.h"
#include "sim_process.h"
#include "test_support.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

struct Recorder : IdentifyObserver {
  std::vector<std::pair<int, std::string>> shown;
  int selections = 0;
  int notFound = 0;
  int finished = 0;
  bool openSelection = false;  // what the selection screen answers
  void ShowProgress(int progress, const std::string& status) override {
    shown.emplace_back(progress, status);
  }
  bool OpenSelection() override {
    ++selections;
    return openSelection;
  }
  void DeviceInformationNotFound() override { ++notFound; }
  void NothingFound(const IdentifyExplanation& explanation) override {
    explained.push_back(explanation);
  }
  void Finish(bool) override { ++finished; }
  std::vector<IdentifyExplanation> explained;
  std::vector<int> Progress() const {
    std::vector<int> values;
    for (const auto& [value, status] : shown) values.push_back(value);
    return values;
  }
};

std::size_t CountLines(const std::string& file, const std::string& part) {
  std::ifstream in(file);
  std::size_t count = 0;
  for (std::string line; std::getline(in, line);)
    if (line.find(part) != std::string::npos) ++count;
  return count;
}

// The built plug-ins, found before the library wrapper is made.
struct BuiltPlugins {
  BuiltPlugins() { platform::SetPluginDirectory(KELDAR_BIN_DIR); }
  ~BuiltPlugins() { platform::SetPluginDirectory({}); }
};

class IdentificationRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bus.IsLoaded());
    IdentifiedDevices().ClearDevices();
  }
  void TearDown() override { IdentifiedDevices().ClearDevices(); }

  IdentifyOutcome Identify(const std::string& path, int speed, int address) {
    KeldarBusPort* port = keldar_bus_CreateCProcessComPort(bus.GetApi(), 0, 254, path.c_str(), 300);
    mbus::Link link{bus.GetApi(), port, {}};
    Identification identification(link, IdentifiedDevices(), catalogue, settings, IdentifyTexts{},
                                  recorder);
    IdentifyOutcome outcome = identification.Run({path, speed, address, std::nullopt});
    // An opened selection keeps the port; these tests release it themselves.
    if (outcome.selectionOpened) keldar_bus_DeleteCProcessComPort(bus.GetApi(), port);
    return outcome;
  }

  ScopedWorkingDirectory cwd;
  BuiltPlugins plugins;
  BusProtocolLibrary bus;
  FirmwareCatalogue catalogue{std::string(KELDAR_BIN_DIR) + "/program.db"};
  IniFile settings;
  Recorder recorder;
};

// The same run against a meter that keeps its selection through a SND_NKE to
// 253 and one that follows EN 13757-3 and leaves it.
class EitherKindOfMeter : public IdentificationRun,
                          public ::testing::WithParamInterface<const char*> {};

INSTANTIATE_TEST_SUITE_P(Selection, EitherKindOfMeter,
                         ::testing::Values("--selection-kept", "--standard-selection"));

TEST_P(EitherKindOfMeter, TheHeatMeterAndBothPulseInputDevicesAreIdentified) {
  std::vector<std::string> args{"--no-timing", MeterFile("krv_heat.ini")};
  if (std::string(GetParam()) == "--standard-selection") args.insert(args.begin(), GetParam());
  SimProcess sim(args);
  recorder.openSelection = true;
  const IdentifyOutcome outcome = Identify(sim.Path(), 2400, 1);

  EXPECT_EQ(outcome.foundSpeed, 2400);
  EXPECT_EQ(outcome.manufacturer, "KRV");
  EXPECT_EQ(outcome.medium, 4);
  EXPECT_TRUE(outcome.selectionOpened);
  EXPECT_EQ(recorder.selections, 1);
  ASSERT_EQ(IdentifiedDevices().DeviceCount(), 3u);
  const KeldarDeviceRecord& meter = *IdentifiedDevices().Device(0);
  EXPECT_EQ(meter.id, 1001);
  EXPECT_STREQ(meter.serial, "41000001");
  EXPECT_STREQ(meter.model, "TV-7 heat");
  EXPECT_STREQ(meter.manufacturer, "KRV");
  EXPECT_EQ(meter.address, 1);
  EXPECT_EQ(meter.subunit, 2);
  const KeldarDeviceRecord& cold = *IdentifiedDevices().Device(1);
  const KeldarDeviceRecord& hot = *IdentifiedDevices().Device(2);
  EXPECT_STREQ(cold.serial, "41000011");
  EXPECT_EQ(cold.device_type, 22);
  EXPECT_STREQ(cold.model, "WS-15 cold");
  EXPECT_EQ(cold.address, 253);
  EXPECT_EQ(cold.id, 1003);
  EXPECT_STREQ(hot.serial, "41000012");
  EXPECT_EQ(hot.device_type, 6);
  EXPECT_STREQ(hot.model, "WS-15 hot");
  EXPECT_EQ(hot.address, 253);

  EXPECT_EQ(settings.ReadValue("SERIAL", "COM").value_or(""), sim.Path());
  EXPECT_EQ(settings.ReadValue("SERIAL", "BAUD").value_or(""), "2400");
  EXPECT_EQ(recorder.shown.back().second, "Читаем конфигурацию устройства");
}

// Two meters share address 1; the heat meter is reached by its secondary
// address, its pulse-input devices by their model, and the screens reach each
// the same way afterwards.
TEST_F(IdentificationRun, AMeterReachedBySelectionIsIdentifiedWithItsPulseInputDevices) {
  const auto other = cwd.Path() / "other.ini";
  std::ofstream(other) << "[meter]\naddress = 1\nspeed = 2400\nidentification = 41000777\n"
                          "manufacturer = KRV\nversion = 3\nmedium = 4\nmodel = TV-7 heat\n"
                          "record = 04 06 : 1\n";
  SimProcess sim(
      {"--no-timing", "--standard-selection", MeterFile("krv_heat.ini"), other.string()});
  recorder.openSelection = true;
  mbus::Selection selection;
  selection.identification = 0x41000001;
  selection.manufacturer = "KRV";
  KeldarBusPort* port =
      keldar_bus_CreateCProcessComPort(bus.GetApi(), 0, 254, sim.Path().c_str(), 300);
  Identification identification({bus.GetApi(), port, {}}, IdentifiedDevices(), catalogue, settings,
                                IdentifyTexts{}, recorder);
  const IdentifyOutcome outcome = identification.Run({sim.Path(), 2400, 1, selection});
  keldar_bus_DeleteCProcessComPort(bus.GetApi(), port);

  EXPECT_EQ(outcome.foundSpeed, 2400);
  ASSERT_EQ(IdentifiedDevices().DeviceCount(), 3u);
  const KeldarDeviceRecord& meter = *IdentifiedDevices().Device(0);
  EXPECT_STREQ(meter.serial, "41000001");
  EXPECT_EQ(meter.address, 253);
  EXPECT_STREQ(IdentifiedDevices().Device(1)->serial, "41000011");
  EXPECT_STREQ(IdentifiedDevices().Device(2)->serial, "41000012");
  EXPECT_EQ(IdentifiedDevices().SelectionReaching(meter).identification, 0x41000001);
  const mbus::Selection input =
      IdentifiedDevices().SelectionReaching(*IdentifiedDevices().Device(2));
  EXPECT_EQ(input.identification, KELDAR_BUS_WILDCARD_ID);
  EXPECT_EQ(input.model, "WS-15 hot");
}

TEST_F(IdentificationRun, AMeterAt9600IsFoundOnTheSixthAttemptAndVersionsWithVNeverScan) {
  const std::string log = (cwd.Path() / "bus.log").string();
  SimProcess sim({"--no-timing", "--log", log, MeterFile("krv_heat_9600.ini")});
  const IdentifyOutcome outcome = Identify(sim.Path(), 9600, 8);
  EXPECT_EQ(outcome.foundSpeed, 9600);
  const auto progress = recorder.Progress();
  const std::vector<int> search(progress.begin(), progress.begin() + 8);
  EXPECT_EQ(search, (std::vector<int>{0, 80, 160, 240, 320, 400, 480, 560}))
      << "five silent speeds, then the acknowledgement at 560";
  ASSERT_EQ(IdentifiedDevices().DeviceCount(), 1u);
  EXPECT_EQ(IdentifiedDevices().Device(0)->subunit, 2) << "the catalogue names two inputs";
  EXPECT_EQ(CountLines(log, " 93 28"), 0u) << "but a /V version never asks for pulse weights";
  EXPECT_EQ(recorder.notFound, 0);
}

// A meter that answers every read with an error (CI 70): found, heard twice,
// never taken for the meter's data.
TEST_F(IdentificationRun, AMeterAnsweringWithAnErrorIsFoundButNotIdentified) {
  SimProcess sim({"--no-timing", "--replay", "68 04 04 68 08 05 70 08 85 16", "--address", "5"});
  const IdentifyOutcome outcome = Identify(sim.Path(), 2400, 5);
  EXPECT_EQ(outcome.foundSpeed, 2400);
  EXPECT_EQ(outcome.manufacturer, "");
  EXPECT_EQ(outcome.medium, -1);
  EXPECT_EQ(recorder.Progress(), (std::vector<int>{0, 80, 160, 240, 320, 400, 480, 560, 1000}))
      << "four speeds, the acknowledgement, both error answers, the end";
  EXPECT_EQ(IdentifiedDevices().DeviceCount(), 0u);
  EXPECT_EQ(recorder.selections, 0);
  EXPECT_EQ(recorder.notFound, 0);
  EXPECT_FALSE(settings.ReadValue("SERIAL", "COM").has_value()) << "nothing was identified";
  ASSERT_EQ(recorder.explained.size(), 1u);
  EXPECT_EQ(recorder.explained[0].reason, IdentifyReason::NotVariableData);
  EXPECT_EQ(recorder.explained[0].speed, 2400);
  EXPECT_EQ(outcome.explanation.reason, IdentifyReason::NotVariableData);
}

TEST_F(IdentificationRun, NineSilentAttemptsEndAtTheMaximumAndNameTheSpeedsTried) {
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini")});
  const IdentifyOutcome outcome = Identify(sim.Path(), 2400, 77);  // nobody at 77
  EXPECT_EQ(outcome.foundSpeed, 0);
  EXPECT_EQ(outcome.progress, 1000);
  EXPECT_EQ(recorder.Progress().back(), 1000);
  EXPECT_EQ(recorder.selections + recorder.notFound, 0);
  EXPECT_EQ(recorder.finished, 1);
  EXPECT_FALSE(settings.ReadValue("SERIAL", "COM").has_value()) << "nothing answered";
  ASSERT_EQ(recorder.explained.size(), 1u);
  const IdentifyExplanation& silence = recorder.explained[0];
  EXPECT_EQ(silence.reason, IdentifyReason::NoAnswer);
  EXPECT_EQ(silence.address, 77);
  EXPECT_EQ(silence.speedsTried,
            (std::vector<int>{300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 76800}));
  EXPECT_EQ(Explained(MessageOf(silence.reason)->english, silence),
            "No meter answered at address 77 at any speed tried (300, 600, 1200, 2400, 4800, "
            "9600, 19200, 38400, 76800 baud). Check the address, the wiring and the level "
            "converter, and that the meter is powered.");
}

TEST_F(IdentificationRun, AnUnknownMakerIsConnectedButNeitherLookedUpNorListed) {
  WriteFile("abc.ini",
            "[meter]\naddress = 3\nspeed = 1200\nidentification = 12345678\nmanufacturer = ABC\n"
            "version = 1\nmedium = 4\nmodel = Other\nsoftware = 1\n");
  SimProcess sim({"--no-timing", (cwd.Path() / "abc.ini").string()});
  FirmwareCatalogue probe((cwd.Path() / "lookup.db").string());
  KeldarBusPort* port =
      keldar_bus_CreateCProcessComPort(bus.GetApi(), 0, 254, sim.Path().c_str(), 300);
  Identification identification({bus.GetApi(), port, {}}, IdentifiedDevices(), probe, settings,
                                IdentifyTexts{}, recorder);
  const IdentifyOutcome outcome = identification.Run({sim.Path(), 1200, 3, std::nullopt});
  EXPECT_EQ(outcome.manufacturer, "ABC");
  EXPECT_EQ(recorder.shown.back().second, "Соединение установлено");
  EXPECT_FALSE(std::filesystem::exists(cwd.Path() / "lookup.db")) << "no catalogue lookup";
  EXPECT_EQ(recorder.selections + recorder.notFound, 0);
  EXPECT_EQ(settings.ReadValue("SERIAL", "BAUD").value_or(""), "1200");
  EXPECT_FALSE(outcome.selectionOpened);
  ASSERT_EQ(recorder.explained.size(), 1u);
  EXPECT_EQ(recorder.explained[0].reason, IdentifyReason::MakerNotSupported);
  EXPECT_EQ(Explained(MessageOf(IdentifyReason::MakerNotSupported)->english, recorder.explained[0]),
            "The maker of the meter at address 3 is ABC; this program does not work with that "
            "maker's devices.");
}

TEST_F(IdentificationRun, AMeterThatNeverSendsUserDataIsReadTwiceAndLeftAlone) {
  const std::string log = (cwd.Path() / "bus.log").string();
  SimProcess sim({"--no-timing", "--log", log, MeterFile("mute_user_data.ini")});
  const IdentifyOutcome outcome = Identify(sim.Path(), 2400, 9);
  EXPECT_EQ(outcome.foundSpeed, 2400);
  EXPECT_EQ(outcome.progress, 1000);
  EXPECT_EQ(CountLines(log, "M> 10 7B 09") + CountLines(log, "M> 10 5B 09"), 2u) << "two REQ_UD2";
  EXPECT_EQ(CountLines(log, "M> 10 40 09"), 4u) << "SND_NKE at 300, 600, 1200 and 2400 only";
  EXPECT_EQ(recorder.selections + recorder.notFound, 0);
  ASSERT_EQ(recorder.explained.size(), 1u);
  EXPECT_EQ(recorder.explained[0].reason, IdentifyReason::NotVariableData);
}

TEST_F(IdentificationRun, SeveralMetersAt254AreACollisionNotAMeter) {
  WriteFile("first.ini",
            "[meter]\naddress = 1\nspeed = 2400\nidentification = 55000001\nmanufacturer = KRV\n"
            "version = 5\nmedium = 7\nmodel = VK-7 water\nsoftware = 1.0\n");
  // Meters whose frames differ enough that their overlap is no frame (two
  // nearly equal frames can overlap into a valid one, as on a real bus).
  WriteFile("second.ini",
            "[meter]\naddress = 2\nspeed = 2400\nidentification = 96000342\nmanufacturer = PTX\n"
            "version = 9\nmedium = 4\nmodel = Heat\nsoftware = 3.1\n");
  SimProcess sim(
      {"--no-timing", (cwd.Path() / "first.ini").string(), (cwd.Path() / "second.ini").string()});
  const IdentifyOutcome outcome = Identify(sim.Path(), 2400, 254);
  EXPECT_EQ(outcome.foundSpeed, 2400) << "their acknowledgements merge into one E5";
  EXPECT_EQ(IdentifiedDevices().DeviceCount(), 0u);
  ASSERT_EQ(recorder.explained.size(), 1u);
  EXPECT_EQ(recorder.explained[0].reason, IdentifyReason::Collision);
  EXPECT_STREQ(ReasonCode(recorder.explained[0].reason), "collision");
}

TEST_F(IdentificationRun, APortLostDuringTheSearchIsNamed) {
  auto sim = std::make_unique<SimProcess>(
      std::vector<std::string>{MeterFile("krv_cold_water.ini")});  // nobody at 77: a long search
  const std::string path = sim->Path();
  std::thread unplug([&sim] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    sim.reset();
  });
  const IdentifyOutcome outcome = Identify(path, 2400, 77);
  unplug.join();
  ASSERT_EQ(recorder.explained.size(), 1u);
  EXPECT_EQ(recorder.explained[0].reason, IdentifyReason::PortLost);
  EXPECT_EQ(Explained(MessageOf(IdentifyReason::PortLost)->english, outcome.explanation),
            "The port " + path +
                " was lost during the search. Check the level converter's connection and connect "
                "again.");
}

TEST_F(IdentificationRun, TheMeterIsSwitchedToTheRequestedSpeed) {
  SimProcess sim({"--no-timing", MeterFile("ptx_heat.ini")});
  const IdentifyOutcome outcome = Identify(sim.Path(), 9600, 6);
  EXPECT_EQ(outcome.foundSpeed, 2400);
  EXPECT_TRUE(outcome.switched);
  ASSERT_EQ(IdentifiedDevices().DeviceCount(), 1u) << "read at the new speed";
  EXPECT_EQ(IdentifiedDevices().Device(0)->id, 3001);
  EXPECT_EQ(settings.ReadValue("SERIAL", "BAUD").value_or(""), "9600");
}

TEST_F(IdentificationRun, AStopRequestEndsTheSearchAtTheNextExchange) {
  SimProcess sim({MeterFile("krv_heat_9600.ini")});
  KeldarBusPort* port =
      keldar_bus_CreateCProcessComPort(bus.GetApi(), 0, 254, sim.Path().c_str(), 300);
  int exchanges = 0;
  mbus::Link link{bus.GetApi(), port, [&exchanges] { return ++exchanges > 2; }};
  Identification identification(link, IdentifiedDevices(), catalogue, settings, IdentifyTexts{},
                                recorder);
  const IdentifyOutcome outcome = identification.Run({sim.Path(), 9600, 8, std::nullopt});
  EXPECT_EQ(outcome.foundSpeed, 0);
  EXPECT_LE(recorder.Progress().size(), 4u);
  EXPECT_EQ(recorder.finished, 1);
}

}  // namespace
