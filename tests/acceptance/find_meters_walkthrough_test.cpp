// "Find meters": a technician who does not know the addresses on a bus lets
// the program find the meters, then connects to one from the list.
#include "walkthrough.h"

namespace {

constexpr int kEnglish = 1;
constexpr int kRussian = 2;
constexpr int kUkrainian = 3;
constexpr int kScanMs = 60000;
constexpr int kConnectMs = 90000;

class FindMetersWalkthrough : public Walkthrough {
 protected:
  // Opens the search from the home screen and scans addresses 0 to `to`.
  std::vector<std::string> ScanUpTo(const std::string& to, std::size_t meters,
                                    const std::string& complete) {
    S().Click("PanelButtonFindMeters");
    S().Need("ProgramFindMetersFrame1/PanelButtonStart");
    Retype("SpinTo", to);
    S().Click("ProgramFindMetersFrame1/PanelButtonStart");
    const WindowMap map = S().WaitFor(
        "the search's end",
        [&](const WindowMap& m) {
          const ScreenWidget* status = m.Find("ProgramFindMetersFrame1/LabelStatus");
          return status != nullptr && status->text.find(complete) != std::string::npos &&
                 m.Rows("TableMeters").size() == meters;
        },
        kScanMs);
    std::vector<std::string> rows;
    for (const auto* row : map.Rows("TableMeters")) rows.push_back(row->text);
    return rows;
  }
  std::string Text(const std::string& key, int language) {
    return Phrase(S().WorkingFolder(), key, language);
  }
};

TEST_F(FindMetersWalkthrough, FindsTheThreeMetersOfABusAndConnectingToOneOpensIt) {
  const std::string port =
      S().StartSimulator({"krv_heat.ini", "krv_cold_water.ini", "krv_hot_water_23.ini"});
  S().WriteFile("config.ini", SettingsFile(kRussian, 2400));
  S().StartProgram(port);
  S().Click("PanelButtonFindMeters");
  S().Need("ProgramFindMetersFrame1/PanelButtonStart");
  S().Step("the search screen");
  EXPECT_EQ(S().Need("ProgramFindMetersFrame1/ComboBoxSpeed").text, "2400")
      << "the speed chosen on the connection screen";
  EXPECT_EQ(S().Need("ProgramFindMetersFrame1/LabelPortName").text, port);
  S().Click("ProgramFindMetersFrame1/Back");
  S().Need("PanelButtonConnect");

  const auto rows = ScanUpTo("5", 3, Text("FRAME_PROGRAM_FIND_METERS_COMPLETE", kRussian));
  S().Step("three meters found");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].rfind("1 | 41000001 | KRV | ", 0), 0u) << rows[0];
  EXPECT_EQ(rows[1].rfind("2 | 41000021 | KRV | ", 0), 0u) << rows[1];
  EXPECT_EQ(rows[2].rfind("3 | 41000031 | KRV | ", 0), 0u) << rows[2];
  EXPECT_NE(rows[1].find("VS-20 cold"), std::string::npos) << rows[1];

  S().ClickAt(S().Map().Rows("TableMeters").at(1)->Centre());
  S().Click("ProgramFindMetersFrame1/PanelButtonConnect");
  S().WaitFor(
      "the cold-water meter's screen with its readings",
      [](const WindowMap& m) {
        return m.FindAll("PanelButtonSave").size() == 1 && !m.Rows("TableReadings").empty();
      },
      kConnectMs);
  S().Step("the chosen meter's screen");
  EXPECT_EQ(DeviceScreen(), "KrvWaterColdMainFrame1");
}

// The screen in English and Ukrainian: every caption in the language chosen.
TEST_F(FindMetersWalkthrough, TheSearchSpeaksTheLanguageChosen) {
  const std::string port = S().StartSimulator({"krv_cold_water.ini", "krv_hot_water_23.ini"});
  S().WriteFile("config.ini", SettingsFile(kEnglish, 2400));
  S().StartProgram(port);
  for (const int language : {kEnglish, kUkrainian}) {
    if (language != kEnglish) {
      S().Click("Image4");
      S().Need("TProgramSetting/SetLanguage");
      S().Choose("ComboBoxLanguage", "Українська");
      S().Click("SetLanguage");
      S().Click("TProgramSetting/Back");
      S().Need("PanelButtonConnect");
    }
    EXPECT_EQ(S().Need("PanelButtonFindMeters").text,
              Text("FRAME_PROGRAM_MAIN_FIND_METERS", language));
    const auto rows = ScanUpTo("3", 2, Text("FRAME_PROGRAM_FIND_METERS_COMPLETE", language));
    S().Step("meters found in language " + std::to_string(language));
    EXPECT_EQ(S().Need("ProgramFindMetersFrame1/LabelTitle").text,
              Text("FRAME_PROGRAM_MAIN_FIND_METERS", language));
    EXPECT_EQ(S().Need("ProgramFindMetersFrame1/RadioSecondary").text,
              Text("FRAME_PROGRAM_FIND_METERS_BY_SECONDARY", language));
    EXPECT_EQ(S().Need("ProgramFindMetersFrame1/LabelSpeed").text,
              Text("FRAME_PROGRAM_FIND_METERS_SPEED", language) + ":");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].find(Text("FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_COLD", language)),
              std::string::npos)
        << rows[0];
    S().Click("ProgramFindMetersFrame1/Back");
    S().Need("PanelButtonConnect");
  }
}

}  // namespace
