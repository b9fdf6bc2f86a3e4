#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>

#include "app/main_window.h"
#include "app/navigation_host.h"
#include "base/core/ini_file.h"
#include "base/kit/message_box.h"
#include "device/device_list.h"
#include "device/screens/device_screen_host.h"
#include "device/screens/home_screen.h"
#include "device/screens/select_device_screen.h"
#include "keldar/plugin_abi.h"
#include "sim_process.h"
#include "test_support.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

// The whole road with the real plug-ins: connect, identify, work, come back.
class ConnectionRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::filesystem::path(KELDAR_BIN_DIR) / "program.db",
                               startup.cwd.Path() / "program.db");
    IdentifiedDevices().ClearDevices();
  }
  void TearDown() override { IdentifiedDevices().ClearDevices(); }

  StartupEnvironment startup{KELDAR_BIN_DIR, "ru_RU.UTF-8"};
};

TEST_F(ConnectionRoad, ASingleMeterOpensItsScreenAndLeavingItReleasesThePortAndGoesHome) {
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini")});
  MainWindow window;
  window.show();
  auto* navigation = window.Navigation();
  navigation->StartConnection(sim.Path().c_str(), 2400, 2);
  EXPECT_TRUE(navigation->Connecting());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 20000));
  QApplication::processEvents();
  SelectDeviceScreen* selection = navigation->SelectionScreen();
  ASSERT_NE(selection, nullptr) << "the meter was identified";
  EXPECT_FALSE(selection->isVisible()) << "one device opens at once";
  QWidget* frame = selection->Worker().PluginFrame(1);  // KRV cold water
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->objectName(), "KrvWaterColdMainFrame1");
  EXPECT_NE(navigation->PortObject(), nullptr);

  keldar_flag_set(navigation->CloseRequest(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.ProgramMain()->isVisible(); }, 3000));
  EXPECT_EQ(navigation->SelectionScreen(), nullptr);
  EXPECT_EQ(navigation->PortObject(), nullptr) << "released with the selection, once";
  EXPECT_NE(ReadFile("config.ini").find("BAUD = 2400"), std::string::npos);
}

TEST_F(ConnectionRoad, APortThatWillNotOpenIsSaidAfterTheRunTriedItAndNothingStaysOpen) {
  platform::MessageBoxRecorder boxes;
  MainWindow window;
  window.show();
  auto* navigation = window.Navigation();
  navigation->StartConnection("/dev/keldar-no-such-port", 2400, 2);
  // The port is opened on the run's thread: the window answers meanwhile.
  EXPECT_TRUE(navigation->Connecting());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 5000));
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_TRUE(boxes.calls[0].text.contains("/dev/keldar-no-such-port не найден"))
      << boxes.calls[0].text.toStdString();
  EXPECT_EQ(navigation->PortObject(), nullptr);
  EXPECT_EQ(navigation->SelectionScreen(), nullptr);
  EXPECT_TRUE(window.ProgramMain()->isVisible());

  // And the next run starts as usual.
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini")});
  navigation->StartConnection(sim.Path().c_str(), 2400, 2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 20000));
  QApplication::processEvents();
  EXPECT_NE(navigation->SelectionScreen(), nullptr);
  EXPECT_NE(navigation->PortObject(), nullptr);
  EXPECT_EQ(boxes.calls.size(), 1u);
}

TEST_F(ConnectionRoad, WithTheExchangeLogOnTheConnectionIsTracedIntoLogs) {
  WriteFile("config.ini", "[LOG]\r\nBUS = 1\r\n");
  Settings().Load();
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini")});
  {
    MainWindow window;
    window.show();
    auto* navigation = window.Navigation();
    navigation->StartConnection(sim.Path().c_str(), 2400, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 20000));
    QApplication::processEvents();
  }
  std::vector<std::filesystem::path> logs;
  for (const auto& entry : std::filesystem::directory_iterator(startup.cwd.Path() / "logs"))
    logs.push_back(entry.path());
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_TRUE(logs[0].filename().string().starts_with("bus-"));
  const std::string text = ReadFile(logs[0].string());
  EXPECT_NE(text.find("M> 10 40 02 42 16  ; SND_NKE a=2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  ; RSP_UD a=2 ci=72\n"), std::string::npos) << text;
  std::filesystem::remove("config.ini");
  Settings().Load();
}

// What the run could not use is said when it ends, naming the file.
TEST_F(ConnectionRoad, ACatalogueAndSettingsThatCannotBeUsedAreSaidAfterTheRun) {
  WriteFile("program.db", "not a database");
  std::filesystem::create_directory("config.ini");
  Settings().Load();
  platform::MessageBoxRecorder boxes;
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini")});
  MainWindow window;
  window.show();
  auto* navigation = window.Navigation();
  navigation->StartConnection(sim.Path().c_str(), 2400, 2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 20000));
  QApplication::processEvents();
  const auto said = [&](const char* words) {
    return std::count_if(boxes.calls.begin(), boxes.calls.end(), [&](const auto& call) {
      return call.text.contains(QString::fromUtf8(words));
    });
  };
  EXPECT_EQ(said("каталог прошивок program.db"), 1);
  EXPECT_EQ(said("сохранить настройки в файл config.ini"), 1);
  EXPECT_EQ(ReadFile("program.db"), "not a database");
  EXPECT_TRUE(std::filesystem::is_directory("config.ini"));

  keldar_flag_set(navigation->CloseRequest(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.ProgramMain()->isVisible(); }, 3000));
  std::filesystem::remove("config.ini");
  Settings().Load();
}

// A run that ends with nothing says why, in the window's language.
TEST_F(ConnectionRoad, ARunThatFindsNothingSaysWhyAndWhatToTry) {
  platform::MessageBoxRecorder boxes;
  WriteFile("abc.ini",
            "[meter]\naddress = 3\nspeed = 2400\nidentification = 12345678\nmanufacturer = ABC\n"
            "version = 1\nmedium = 4\nmodel = Other\nsoftware = 1\n");
  SimProcess sim({"--no-timing", (startup.cwd.Path() / "abc.ini").string()});
  MainWindow window;
  window.show();
  auto* navigation = window.Navigation();
  navigation->StartConnection(sim.Path().c_str(), 2400, 3);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation->Connecting(); }, 20000));
  QApplication::processEvents();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text,
            "Производитель счётчика по адресу 3 — ABC; с устройствами этого производителя "
            "программа не работает.");
  EXPECT_TRUE(window.ProgramMain()->isVisible()) << "back to the connection screen";
}

TEST_F(ConnectionRoad, ClosingTheWindowDuringTheSpeedSearchStopsTheWorker) {
  SimProcess sim({MeterFile("krv_heat_9600.ini")});  // line timing on: a slow search
  QElapsedTimer elapsed;
  {
    MainWindow window;
    window.Navigation()->StartConnection(sim.Path().c_str(), 9600, 8);
    QTest::qWait(300);
    EXPECT_TRUE(window.Navigation()->Connecting());
    elapsed.start();
  }
  EXPECT_LT(elapsed.elapsed(), 2500) << "the worker stops at its next exchange";
}

}  // namespace
