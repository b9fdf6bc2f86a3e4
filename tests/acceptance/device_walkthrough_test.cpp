// From the home screen to a meter's readings and the archive, as a technician
// goes: connect, pick a device, read, save, go back, find the reading again.
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include "walkthrough.h"

namespace {

constexpr int kConnectMs = 90000;  // the speed search starts at 300 baud

bool DeviceScreenIdle(const WindowMap& map) {
  return map.FindAll("PanelButtonSave").size() == 1 && map.Find("ProgressBarRead") == nullptr &&
         !map.Rows("TableReadings").empty();
}

// Exactly one work screen is open and done talking to the meter: a device
// screen with its readings, or the configuration screen (which reads the
// meter's addresses before it shows).
bool OneWorkScreen(const WindowMap& map) {
  const auto devices = map.FindAll("PanelButtonSave").size();
  const auto configurations = map.FindAll("ConfigurationDeviceFrame1").size();
  if (devices + configurations != 1) return false;
  return configurations == 1 || DeviceScreenIdle(map);
}

class DeviceWalkthrough : public Walkthrough {};

TEST_F(DeviceWalkthrough, HeatMeterTilesReadingsArchive) {
  // A heat meter with two devices on its pulse inputs at address 1, and a
  // water meter at address 10 that a misread address would reach instead.
  const std::string port = S().StartSimulator({"krv_heat.ini", "krv_water_7.ini"});
  S().WriteFile("config.ini", SettingsFile(2));
  S().StartProgram(port);
  S().Need("PanelButtonConnect");
  S().Step("home");

  // "1", a blank, "0": the address is the digits before the first blank.
  TypeAddress("1>0");
  EXPECT_EQ(S().Need("MaskEditDeviceAdress").text, "1_0");
  S().Step("address typed");
  S().Click("PanelButtonConnect");
  S().WaitFor(
      "three device tiles",
      [](const WindowMap& m) { return m.Find("Tile3") != nullptr && m.Find("Tile4") == nullptr; },
      kConnectMs);
  S().Step("three tiles");
  EXPECT_EQ(S().CountInBusLog("a=10 "), 0) << "nothing may go to the meter at address 10";

  for (int tile = 1; tile <= 3; ++tile) {
    const std::string name = "Tile" + std::to_string(tile);
    int firstReadout = -1;
    for (const std::string place : {"text", "icon", "margin"}) {
      const ScreenWidget widget = S().Need(name);
      const int before = S().CountInBusLog("M>");
      S().Step("open " + name + " by its " + place);
      if (place == "text") S().Click(name + "/TileText");
      if (place == "icon") S().Click(name + "/TileIcon");
      if (place == "margin") S().ClickAt(widget.rect.topLeft() + QPoint(2, widget.rect.height() - 3));
      const WindowMap open = S().WaitFor("one work screen, done reading", OneWorkScreen, 30000);
      S().Step(name + " open");
      const int readout = S().CountInBusLog("M>") - before;
      EXPECT_GT(readout, 0) << name << " by its " << place;
      if (firstReadout < 0) firstReadout = readout;
      EXPECT_EQ(readout, firstReadout) << name << " by its " << place << ": one readout a click";
      const bool configuration = open.Find("ConfigurationDeviceFrame1") != nullptr;
      S().Click(configuration ? "ConfigurationDeviceFrame1/Back" : DeviceScreen() + "/Back");
      S().WaitFor("the work screen to close", [](const WindowMap& m) {
        return m.FindAll("PanelButtonSave").empty() && m.FindAll("ConfigurationDeviceFrame1").empty();
      });
      S().Need(name);
    }
  }

  // The heat meter again: refresh, save, and back twice.
  S().Click("Tile1/TileText");
  S().WaitFor("the heat meter's readings", DeviceScreenIdle, 30000);
  const int beforeRefresh = S().CountInBusLog("REQ_UD2");
  S().Click("PanelButtonRefresh");
  S().WaitFor("a new readout", [&](const WindowMap& m) {
    return DeviceScreenIdle(m) && S().CountInBusLog("REQ_UD2") > beforeRefresh;
  });
  S().Step("refreshed");
  S().Click("PanelButtonSave");
  S().WaitFor("the reading in the archive", [&](const WindowMap&) {
    return QueryColumn(S().WorkingFolder() + "/archive.db", "SELECT id FROM heat_readings").size() ==
           1;
  });
  S().Step("saved");
  S().Click(DeviceScreen() + "/Back");
  S().Need("Tile1");
  S().Step("back at the tiles");
  S().Click("ProgramSelectDeviceFrame1/Back");
  S().Need("PanelButtonConnect");
  S().Step("back home");

  S().Click("PanelButtonViewArhiv");
  S().Need("ProgramReadLocalArhivFrame1/TableReadings");
  const WindowMap archive = S().WaitFor("the saved reading in the list", [](const WindowMap& m) {
    return m.Rows("TableReadings").size() == 1;
  });
  S().Step("archive");
  EXPECT_NE(archive.Rows("TableReadings").front()->text.find("41000001"), std::string::npos)
      << archive.Rows("TableReadings").front()->text;
  S().ClickAt(archive.Rows("TableReadings").front()->Centre());
  S().Click("PanelButtonDelete");
  S().Click("PanelButtonConfirmDelete");
  S().WaitFor("an empty archive", [](const WindowMap& m) { return m.Rows("TableReadings").empty(); });
  S().Step("deleted");
  EXPECT_TRUE(
      QueryColumn(S().WorkingFolder() + "/archive.db", "SELECT id FROM heat_readings").empty());
  S().Key("Escape");
  S().Need("PanelButtonConnect");
  S().Step("home by Escape");
}

TEST_F(DeviceWalkthrough, PortThatCannotBeOpenedIsExplained) {
  const std::string port = S().StartSimulator({"krv_heat.ini"});
  const std::string missing = "/dev/ttyKELDAR-unplugged";
  S().WriteFile("config.ini", SettingsFile(1));
  S().StartProgram(missing + ":" + port);
  S().Need("PanelButtonConnect");
  S().Step("home, the unplugged port first");
  S().Click("PanelButtonConnect");
  std::string text = AnswerMessageBox("OK");
  EXPECT_NE(text.find(missing), std::string::npos) << text;
  EXPECT_NE(text.find("not found"), std::string::npos) << text;
  S().Need("PanelButtonConnect");
  S().Step("idle again");

  // Another program holds the simulator's port.
  const int holder = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
  S().Click("ComboBoxSerialPort");
  S().Key("Down");
  S().Key("Return");
  S().Step("the busy port chosen");
  S().Click("PanelButtonConnect");
  text = AnswerMessageBox("OK");
  EXPECT_NE(text.find("busy"), std::string::npos) << text;
  ::close(holder);
  EXPECT_EQ(S().CountInBusLog("M>"), 0) << "nothing reaches the line while the port is held";

  // Freed, the same port connects.
  S().Click("PanelButtonConnect");
  S().WaitFor(
      "the device tiles", [](const WindowMap& m) { return m.Find("Tile3") != nullptr; },
      kConnectMs);
  S().Step("connected once the port is free");
}

}  // namespace
