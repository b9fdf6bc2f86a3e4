// Damaged files around the program: it still starts, says what it could not
// read in words a technician can act on, and leaves the files as they were.
#include <filesystem>

#include "walkthrough.h"

namespace {

namespace fs = std::filesystem;

constexpr int kConnectMs = 90000;

class FaultsWalkthrough : public Walkthrough {};

TEST_F(FaultsWalkthrough, UnreadableSettingsAndCatalogueAreSaidAndLeftAlone) {
  const std::string port = S().StartSimulator({"krv_heat.ini"});
  const fs::path work = S().WorkingFolder();
  fs::remove(work / "config.ini");
  fs::create_directory(work / "config.ini");  // a folder where the settings file belongs
  fs::remove(work / "program.db");
  S().StartProgram(port);
  const std::string settings = AnswerMessageBox("OK");
  EXPECT_NE(settings.find("config.ini"), std::string::npos) << settings;

  TypeAddress("1");
  S().Click("PanelButtonConnect");
  S().WaitFor(
      "a message naming the firmware catalogue",
      [](const WindowMap& m) {
        for (const auto* w : m.Windows()) {
          if (w->kind == "QMessageBox" && w->text.find("program.db") != std::string::npos)
            return true;
        }
        return false;
      },
      kConnectMs);
  S().Step("the catalogue cannot be read");
  const std::string catalogue = AnswerMessageBox("OK", /*waitForClose=*/false);
  EXPECT_NE(catalogue.find("program.db"), std::string::npos) << catalogue;
  // Port and speed could not be stored either: that is said next.
  S().WaitFor("the next message", [&catalogue](const WindowMap& m) {
    for (const auto* w : m.Windows()) {
      if (w->kind == "QMessageBox" && w->text != catalogue) return true;
    }
    return false;
  });
  const std::string stored = AnswerMessageBox("OK");
  EXPECT_NE(stored.find("config.ini"), std::string::npos) << stored;

  EXPECT_TRUE(fs::is_directory(work / "config.ini")) << "the settings folder is left as it was";
  EXPECT_FALSE(fs::exists(work / "program.db")) << "no empty catalogue is made";
  EXPECT_TRUE(S().ProgramRunning());
}

// Nothing answers at the address typed: the window says so, naming the
// address and every speed it tried, and what to check.
TEST_F(FaultsWalkthrough, ASearchThatFindsNothingSaysWhy) {
  const std::string port = S().StartSimulator({"krv_cold_water.ini"});  // at address 2 only
  S().WriteFile("config.ini", SettingsFile(2, 2400));
  S().StartProgram(port);
  TypeAddress("7");
  S().Click("PanelButtonConnect");
  const std::string said = AnswerMessageBox("OK");
  EXPECT_NE(said.find("по адресу 7"), std::string::npos) << said;
  EXPECT_NE(said.find("300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 76800"), std::string::npos)
      << said;
  S().Need("PanelButtonConnect");
  EXPECT_EQ(S().CountInBusLog("SND_UD"), 0) << "nothing was written to the meter";
}

// Support asks for the exchange log: the technician switches it on in the
// settings, connects, and the log of that connection lies in logs/.
TEST_F(FaultsWalkthrough, TheExchangeLogIsKeptWhenSwitchedOn) {
  const std::string port = S().StartSimulator({"krv_cold_water.ini"});
  S().WriteFile("config.ini", SettingsFile(1, 2400));
  S().StartProgram(port);
  S().Click("Image4");
  S().Need("TProgramSetting/CheckBoxBusLog");
  S().Click("CheckBoxBusLog");
  S().Step("exchange log switched on");
  EXPECT_NE(S().ReadFile("config.ini").find("BUS = 1"), std::string::npos)
      << S().ReadFile("config.ini");
  S().Click("TProgramSetting/Back");
  S().Need("PanelButtonConnect");

  TypeAddress("2");
  S().Click("PanelButtonConnect");
  S().WaitFor(
      "the meter's screen with its readings",
      [](const WindowMap& m) {
        return m.FindAll("PanelButtonSave").size() == 1 && !m.Rows("TableReadings").empty();
      },
      kConnectMs);
  S().Step("connected with the log on");

  std::string log;
  for (const auto& entry : fs::directory_iterator(fs::path(S().WorkingFolder()) / "logs")) {
    if (entry.path().filename().string().rfind("bus-", 0) == 0) log = entry.path().string();
  }
  ASSERT_FALSE(log.empty()) << "no logs/bus-*.log";
  const std::string text = S().ReadFile(fs::relative(log, S().WorkingFolder()).string());
  EXPECT_NE(text.find("SND_NKE a=2"), std::string::npos) << text;
  EXPECT_NE(text.find("RSP_UD a=2"), std::string::npos) << text;
}

}  // namespace
