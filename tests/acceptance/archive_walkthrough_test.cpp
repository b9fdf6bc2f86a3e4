// The archive as a technician uses it after a round: two readings of the heat
// meter saved from its screen, the meter's chart, and the export to CSV.
#include <QDate>
#include <sstream>

#include "walkthrough.h"

namespace {

constexpr int kConnectMs = 90000;  // the speed search starts at 300 baud

bool DeviceScreenIdle(const WindowMap& map) {
  return map.FindAll("PanelButtonSave").size() == 1 && map.Find("ProgressBarRead") == nullptr &&
         !map.Rows("TableReadings").empty();
}

std::size_t SavedHeatReadings(const std::string& folder) {
  return QueryColumn(folder + "/archive.db", "SELECT id FROM heat_readings").size();
}

bool FileDialogOpen(const WindowMap& map) {
  for (const auto* w : map.Windows()) {
    if (w->kind == "QFileDialog") return true;
  }
  return false;
}

class ArchiveWalkthrough : public Walkthrough {
 protected:
  // Opens the device list of the archive screen and picks the row naming `serial`.
  void ChooseDevice(const std::string& serial) {
    S().Click("ComboBoxDevice");
    // A row of the open drop-down, not of the list of readings behind it.
    const auto row = [&](const WindowMap& m) -> const ScreenWidget* {
      for (const auto& w : m.Widgets()) {
        if (w.kind == "item" && w.path.find("TableReadings") == std::string::npos &&
            w.text.find(serial) != std::string::npos)
          return &w;
      }
      return nullptr;
    };
    const WindowMap open =
        S().WaitFor("the device list", [&](const WindowMap& m) { return row(m) != nullptr; });
    S().ClickAt(row(open)->Centre());
  }
};

TEST_F(ArchiveWalkthrough, TwoSavedReadingsAreChartedAndExportedToCsv) {
  const std::string port = S().StartSimulator({"krv_heat.ini"});
  S().WriteFile("config.ini", SettingsFile(2));
  S().StartProgram(port);
  S().Need("PanelButtonConnect");
  TypeAddress("1");
  S().Click("PanelButtonConnect");
  S().WaitFor(
      "the device tiles", [](const WindowMap& m) { return m.Find("Tile1") != nullptr; },
      kConnectMs);
  S().Click("Tile1/TileText");
  S().WaitFor("the heat meter's readings", DeviceScreenIdle, 30000);

  // Two readings, a readout apart.
  const std::string folder = S().WorkingFolder();
  S().Click("PanelButtonSave");
  S().WaitFor("the first reading in the archive",
              [&](const WindowMap&) { return SavedHeatReadings(folder) == 1; });
  const int before = S().CountInBusLog("REQ_UD2");
  S().Click("PanelButtonRefresh");
  S().WaitFor("a new readout", [&](const WindowMap& m) {
    return DeviceScreenIdle(m) && S().CountInBusLog("REQ_UD2") > before;
  });
  S().Click("PanelButtonSave");
  S().WaitFor("the second reading in the archive",
              [&](const WindowMap&) { return SavedHeatReadings(folder) == 2; });
  S().Step("two readings saved");
  S().Click(DeviceScreen() + "/Back");
  S().Need("Tile1");
  S().Click("ProgramSelectDeviceFrame1/Back");
  S().Need("PanelButtonConnect");

  // Twice: the screen and its chart are built again after the archive was left.
  for (int visit = 1; visit <= 2; ++visit) {
    const std::string round = " (visit " + std::to_string(visit) + ")";
    S().Click("PanelButtonViewArhiv");
    S().WaitFor("the two readings" + round,
                [](const WindowMap& m) { return m.Rows("TableReadings").size() == 2; });
    EXPECT_EQ(S().Map().Find("ChartTrend"), nullptr) << "no chart before a meter is chosen";
    ChooseDevice("41000001");
    const ScreenWidget chart = S().Need("ChartTrend");
    EXPECT_GT(chart.rect.width(), 300) << round;
    EXPECT_GT(chart.rect.height(), 250) << round;
    S().Step("the heat meter's chart" + round);
    if (visit == 2) break;
    S().Key("Escape");
    S().Need("PanelButtonConnect");
  }

  // The export proposes a dated CSV name in the working folder; Enter takes it.
  S().Click("PanelButtonExport");
  S().WaitFor("the save dialog", FileDialogOpen);
  S().Step("save dialog");
  const std::string name =
      "archive-" + QDate::currentDate().toString("yyyyMMdd").toStdString() + ".csv";
  EXPECT_EQ(S().Need("fileNameEdit").text, name);
  S().Key("Return");
  S().WaitFor("the dialog to close", [](const WindowMap& m) { return !FileDialogOpen(m); });
  const ScreenWidget status = S().Need("LabelStatus");
  S().Step("exported");
  EXPECT_NE(status.text.find("Записано показаний в файл: 2"), std::string::npos) << status.text;

  // Russian: the separators of a Russian spreadsheet, the oldest reading first.
  std::istringstream csv(S().ReadFile(name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(csv, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), 3u) << S().ReadFile(name);
  EXPECT_EQ(lines[0].rfind("\xEF\xBB\xBFtime (UTC);kind;serial;manufacturer", 0), 0u) << lines[0];
  for (int row = 1; row <= 2; ++row) {
    EXPECT_NE(lines[row].find(";heat;41000001;KRV;"), std::string::npos) << lines[row];
  }
  EXPECT_LE(lines[1].substr(0, 20), lines[2].substr(0, 20)) << "oldest first";
}

}  // namespace
