#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "app/main_window.h"
#include "app/navigation_host.h"
#include "base/kit/message_box.h"
#include "device/device_list.h"
#include "device/screens/device_screen_host.h"
#include "device/screens/home_screen.h"
#include "device/screens/scan_screen.h"
#include "device/screens/select_device_screen.h"
#include "sim_process.h"
#include "test_support.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

constexpr int kScanMs = 30000;

// The meter search with the real plug-ins against the simulator.
class FindMeters : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::filesystem::path(KELDAR_BIN_DIR) / "program.db",
                               startup.cwd.Path() / "program.db");
    IdentifiedDevices().ClearDevices();
  }
  void TearDown() override { IdentifiedDevices().ClearDevices(); }

  // Opens the search from the window's navigation on `port` at 2400 baud.
  ScanScreen* Open(MainWindow& window, const std::string& port) {
    window.Navigation()->OpenFindMeters({port, port}, {300, 2400, 9600}, 2400);
    return window.Navigation()->FindMetersScreen();
  }
  static void SetRange(ScanScreen& scan, int from, int to) {
    scan.findChild<QSpinBox*>("SpinTo")->setValue(to);
    scan.findChild<QSpinBox*>("SpinFrom")->setValue(from);
  }
  static QString Status(ScanScreen& scan) { return scan.findChild<QLabel*>("LabelStatus")->text(); }
  static QTableWidget& Table(ScanScreen& scan) {
    return *scan.findChild<QTableWidget*>("TableMeters");
  }
  static QString Cell(ScanScreen& scan, int row, int column) {
    const QTableWidgetItem* item = Table(scan).item(row, column);
    return item != nullptr ? item->text() : QString();
  }
  static bool Finish(ScanScreen& scan) {
    return QTest::qWaitFor([&] { return !scan.Scanning(); }, kScanMs);
  }
  // A copy of a meter file answering at another primary address and number.
  std::string MeterAt(const std::string& file, int address, const std::string& id) {
    std::string text = ReadFile(MeterFile(file));
    const auto replace = [&](const std::string& key, const std::string& value) {
      const auto at = text.find("\n" + key + " = ");
      const auto end = text.find('\n', at + 1);
      text.replace(at + 1, end - at - 1, key + " = " + value);
    };
    replace("address", std::to_string(address));
    replace("identification", id);
    const auto path = startup.cwd.Path() / (id + ".ini");
    WriteFile(path, text);
    return path.string();
  }

  StartupEnvironment startup{KELDAR_BIN_DIR, "ru_RU.UTF-8"};
};

TEST_F(FindMeters, APrimaryScanListsEveryMeterAndConnectingOpensTheChosenOne) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini"), MeterFile("krv_cold_water.ini"),
                  MeterFile("krv_hot_water_23.ini")});
  MainWindow window;
  window.show();
  ScanScreen* scan = Open(window, sim.Path());
  ASSERT_NE(scan, nullptr);
  EXPECT_TRUE(scan->isVisible());
  EXPECT_FALSE(window.ProgramMain()->isVisible());
  SetRange(*scan, 0, 6);
  scan->StartClick();
  EXPECT_TRUE(scan->Scanning());
  ASSERT_TRUE(Finish(*scan));

  ASSERT_EQ(scan->Meters().size(), 3u);
  ASSERT_EQ(Table(*scan).rowCount(), 3);
  EXPECT_EQ(Cell(*scan, 0, 0), "1");
  EXPECT_EQ(Cell(*scan, 0, 1), "41000001");
  EXPECT_EQ(Cell(*scan, 0, 2), "KRV");
  EXPECT_EQ(Cell(*scan, 0, 4), "TV-7 heat");
  EXPECT_EQ(Cell(*scan, 1, 0), "2");
  EXPECT_EQ(Cell(*scan, 1, 3), "Устройство воды (холодной)")
      << "media named as the tiles name them";
  EXPECT_EQ(Cell(*scan, 2, 0), "3");
  EXPECT_EQ(Cell(*scan, 2, 1), "41000031");
  EXPECT_TRUE(Status(*scan).contains("Поиск завершён")) << Status(*scan).toStdString();
  EXPECT_TRUE(Status(*scan).contains("Найдено счётчиков: 3")) << Status(*scan).toStdString();

  Table(*scan).selectRow(1);
  scan->ConnectClick();
  auto* navigation = window.Navigation();
  EXPECT_TRUE(navigation->Connecting());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 20000));
  QApplication::processEvents();
  EXPECT_EQ(navigation->FindMetersScreen(), nullptr) << "the search has closed";
  SelectDeviceScreen* selection = navigation->SelectionScreen();
  ASSERT_NE(selection, nullptr) << "the chosen meter was identified";
  QWidget* frame = selection->Worker().PluginFrame(1);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->objectName(), "KrvWaterColdMainFrame1");
}

// Two meters share address 2: the primary scan shows the collision, which
// cannot be chosen; the secondary scan tells them apart, and the one chosen
// is reached by its selection.
TEST_F(FindMeters, MetersSharingAnAddressAreToldApartBySecondaryAddress) {
  platform::MessageBoxRecorder boxes;
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini"),
                  MeterAt("krv_hot_water_23.ini", 2, "41000032")});
  MainWindow window;
  window.show();
  ScanScreen* scan = Open(window, sim.Path());
  ASSERT_NE(scan, nullptr);
  SetRange(*scan, 0, 3);
  scan->StartClick();
  ASSERT_TRUE(Finish(*scan));
  ASSERT_EQ(scan->Meters().size(), 1u);
  EXPECT_TRUE(scan->Meters()[0].collision);
  EXPECT_EQ(Cell(*scan, 0, 0), "2");
  EXPECT_EQ(Cell(*scan, 0, 1), "По этому адресу отвечают несколько счётчиков");
  Table(*scan).selectRow(0);
  scan->ConnectClick();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_TRUE(boxes.calls[0].text.contains("поиском по вторичным адресам"));
  EXPECT_FALSE(window.Navigation()->Connecting());
  EXPECT_EQ(window.Navigation()->FindMetersScreen(), scan) << "the search stays open";

  scan->findChild<QRadioButton*>("RadioSecondary")->setChecked(true);
  scan->StartClick();
  ASSERT_TRUE(Finish(*scan));
  ASSERT_EQ(scan->Meters().size(), 2u);
  const auto cold = std::find_if(scan->Meters().begin(), scan->Meters().end(),
                                 [](const FoundMeter& m) { return m.Id() == "41000021"; });
  ASSERT_NE(cold, scan->Meters().end());
  EXPECT_TRUE(cold->NeedsSelection());
  Table(*scan).selectRow(static_cast<int>(cold - scan->Meters().begin()));
  scan->ConnectClick();
  auto* navigation = window.Navigation();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 20000));
  QApplication::processEvents();
  ASSERT_NE(navigation->SelectionScreen(), nullptr) << "the meter was reached by its selection";
  ASSERT_EQ(IdentifiedDevices().DeviceCount(), 1u);
  const KeldarDeviceRecord* record = IdentifiedDevices().Device(0);
  EXPECT_STREQ(record->serial, "41000021") << "the chosen meter, not its neighbour";
  EXPECT_EQ(record->address, 253);
  QWidget* frame = navigation->SelectionScreen()->Worker().PluginFrame(1);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->objectName(), "KrvWaterColdMainFrame1");
}

// With line timing a full scan takes minutes: Stop ends it at once, and
// leaving the screen during a scan stops and joins it.
TEST_F(FindMeters, StopAndLeavingEndTheScanWithinAnExchange) {
  SimProcess sim({MeterFile("krv_cold_water.ini")});
  MainWindow window;
  window.show();
  ScanScreen* scan = Open(window, sim.Path());
  ASSERT_NE(scan, nullptr);
  scan->StartClick();
  QTest::qWait(300);
  ASSERT_TRUE(scan->Scanning());
  QElapsedTimer elapsed;
  elapsed.start();
  scan->StopClick();
  ASSERT_TRUE(Finish(*scan));
  EXPECT_LT(elapsed.elapsed(), 2000);
  EXPECT_TRUE(Status(*scan).contains("Поиск остановлен")) << Status(*scan).toStdString();

  scan->StartClick();
  QTest::qWait(300);
  ASSERT_TRUE(scan->Scanning());
  elapsed.restart();
  QWidget* back = scan->findChild<QWidget*>("Back");
  ASSERT_NE(back, nullptr);
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_LT(elapsed.elapsed(), 2000);
  QApplication::processEvents();
  EXPECT_EQ(window.Navigation()->FindMetersScreen(), nullptr);
  EXPECT_TRUE(window.ProgramMain()->isVisible());

  // The port was closed: a connect run can open it again.
  window.Navigation()->StartConnection(sim.Path().c_str(), 2400, 2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Navigation()->Connecting(); }, 20000));
  QApplication::processEvents();
  EXPECT_NE(window.Navigation()->SelectionScreen(), nullptr);
}

TEST_F(FindMeters, APortThatWillNotOpenIsSaidAsTheConnectRunSaysIt) {
  platform::MessageBoxRecorder boxes;
  MainWindow window;
  window.show();
  ScanScreen* scan = Open(window, "/dev/keldar-no-such-port");
  ASSERT_NE(scan, nullptr);
  scan->StartClick();
  // The run opens the port on its own thread: the screen answers meanwhile.
  EXPECT_TRUE(scan->Scanning());
  EXPECT_TRUE(boxes.calls.empty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !scan->Scanning(); }, 5000));
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_TRUE(boxes.calls[0].text.contains("/dev/keldar-no-such-port не найден"))
      << boxes.calls[0].text.toStdString();

  window.Navigation()->CloseScreens();
  QApplication::processEvents();
}

}  // namespace
