#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cstring>

#include "app/main_window.h"
#include "app/navigation_host.h"
#include "base/kit/message_box.h"
#include "device/device_list.h"
#include "device/device_plugin_library.h"
#include "device/device_record.h"
#include "device/screens/home_screen.h"
#include "device/screens/select_device_screen.h"
#include "device/screens/device_screen_host.h"
#include "keldar/plugin_abi.h"
#include "test_support.h"

namespace {

const std::filesystem::path kFakes(KELDAR_FAKES_DIR);

KeldarDeviceRecord Device(const char* manufacturer, std::uint8_t type, const char* model,
                          std::uint8_t address = 254) {
  KeldarDeviceRecord record = EmptyDeviceRecord();
  std::strcpy(record.manufacturer, manufacturer);
  std::strcpy(record.model, model);
  record.device_type = type;
  record.address = address;
  return record;
}

// The main window with fake plug-ins and the given identified devices.
struct DeviceScreens : ::testing::Test {
  StartupEnvironment startup{kFakes / "all", "ru_RU.UTF-8"};
  platform::MessageBoxRecorder boxes;
  std::unique_ptr<MainWindow> window;

  void Open(std::initializer_list<KeldarDeviceRecord> devices) {
    IdentifiedDevices().ClearDevices();
    for (const auto& device : devices) IdentifiedDevices().AddDevice(device);
    window = std::make_unique<MainWindow>();
    window->show();
    window->ProgramMain()->hide();
    ASSERT_EQ(window->Navigation()->OpenScreen(NavigationHost::kSelectDevice), 1);
  }
  void TearDown() override {
    window.reset();
    IdentifiedDevices().ClearDevices();
  }
  SelectDeviceScreen* Selection() const { return window->Navigation()->SelectionScreen(); }
  QWidget* Frame(DevicePlugin plugin) const {
    return Selection()->Worker().PluginFrame(static_cast<std::size_t>(plugin));
  }
  std::vector<std::string> Lines() const { return startup.session.Lines(); }
  bool Logged(const std::string& line) const {
    const auto lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

TEST_F(DeviceScreens, SeveralDevicesShowCentredTilesThatOpenTheirScreenAndComeBack) {
  Open({Device("KRV", 4, "TV-7 heat"), Device("KRV", 22, "Cold 15"), Device("KRV", 0, "Odd")});
  SelectDeviceScreen* selection = Selection();
  ASSERT_NE(selection, nullptr);
  EXPECT_EQ(selection->objectName(), "ProgramSelectDeviceFrame1");
  EXPECT_TRUE(selection->isVisible());
  ASSERT_EQ(selection->Tiles().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    QFrame* tile = selection->Tiles()[i];
    EXPECT_EQ(tile->y(), 65 * static_cast<int>(i + 1));
    EXPECT_EQ(tile->size(), QSize(386, 57));
    EXPECT_EQ(tile->mapTo(selection, QPoint(0, 0)).x(), selection->width() / 2 - 386 / 2);
  }
  const auto* unknown = selection->Tiles()[2]->findChildren<QLabel*>().at(1);
  EXPECT_EQ(unknown->text(), "Odd\n2:FRAME_PROGRAM_SELECT_DEVICE_METER_NOT_DEFINED")
      << "the fake phrases replace the built-in kind";

  selection->Worker().OpenDevice(1);
  QWidget* frame = Frame(DevicePlugin::KrvHeat);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->objectName(), "KrvHEATMainFrame1");
  EXPECT_EQ(frame->geometry(), window->rect());
  EXPECT_EQ(frame->property("device").value<void*>(), IdentifiedDevices().Device(0));
  EXPECT_EQ(frame->property("closeFlag").value<void*>(), selection->OwnCloseFlag())
      << "with several devices the selection screen's own flag";
  EXPECT_TRUE(Lines().back().find("op ") == std::string::npos) << "address 254: no bus traffic";

  keldar_flag_set(static_cast<uint8_t*>(frame->property("closeFlag").value<void*>()), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Frame(DevicePlugin::KrvHeat) == nullptr; }, 2000));
  EXPECT_TRUE(Logged("KRVHEATDLL: delete frame"));
  EXPECT_EQ(keldar_flag_get(selection->OwnCloseFlag()), 0);
  EXPECT_EQ(window->Navigation()->SelectionScreen(), selection) << "back to the tiles";
  EXPECT_FALSE(window->ProgramMain()->isVisible());

  selection->Worker().OpenDevice(2);
  EXPECT_NE(Frame(DevicePlugin::KrvWaterCold), nullptr);
}

TEST_F(DeviceScreens, OneDeviceOpensAtOnceAndLeavingReturnsHome) {
  Open({Device("KRV", 23, "Hot multi")});
  SelectDeviceScreen* selection = Selection();
  EXPECT_FALSE(selection->isVisible()) << "no tiles are seen";
  QWidget* frame = Frame(DevicePlugin::KrvWaterHot);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->property("closeFlag").value<void*>(), window->Navigation()->CloseRequest());
  keldar_flag_set(window->Navigation()->CloseRequest(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->ProgramMain()->isVisible(); }, 2000));
  EXPECT_EQ(window->Navigation()->SelectionScreen(), nullptr);
  EXPECT_EQ(window->Navigation()->CloseRequested(), 0);
  EXPECT_TRUE(Logged("KRVWATERHOTDLL: delete frame"));
}

TEST_F(DeviceScreens, MakersAndMediaPickThePlugInOrExplainWhatIsMissing) {
  Open({Device("PTX", 4, "PTX heat"), Device("PTX", 22, "PTX cold")});
  Selection()->Worker().OpenDevice(1);
  EXPECT_NE(Frame(DevicePlugin::MldHeat), nullptr) << "a PTX heat meter opens the MLD screen";
  EXPECT_TRUE(Logged("MLDHEATDLL: create frame for PTX type 4"));

  Selection()->Worker().OpenDevice(2);
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "2:FRAME_PROGRAM_MAIN_NOT_ENOUGH_COMPONENTS_WORK_WITH_DEVICE");
  EXPECT_EQ(boxes.calls[0].caption, "") << "a phrase is shown without caption";
  EXPECT_EQ(boxes.calls[0].flags, 0x2010u);
  EXPECT_EQ(Frame(DevicePlugin::MldWaterCold), nullptr);
}

TEST_F(DeviceScreens, ClosingTheWindowReleasesTheWorkScreenBeforeItsLibrary) {
  Open({Device("MLD", 22, "MLD cold"), Device("KRV", 4, "heat")});
  Selection()->Worker().OpenDevice(1);
  ASSERT_NE(Frame(DevicePlugin::MldWaterCold), nullptr);
  window.reset();
  const auto lines = Lines();
  const auto deleted = std::find(lines.begin(), lines.end(), "MLDWATERCOLDDLL: delete frame");
  const auto unloaded = std::find(lines.begin(), lines.end(), "MLDWATERCOLDDLL: unload");
  ASSERT_NE(deleted, lines.end());
  ASSERT_NE(unloaded, lines.end());
  EXPECT_LT(deleted, unloaded);
}

TEST_F(DeviceScreens, EveryPlaceOnATileOpensItsDeviceOnceByPointerOrKeys) {
  Open({Device("KRV", 4, "TV-7 heat"), Device("KRV", 22, "Cold 15")});
  QFrame* tile = Selection()->Tiles()[0];
  const auto opened = [this] {
    const auto lines = Lines();
    return std::count(lines.begin(), lines.end(), "KRVHEATDLL: create frame for KRV type 4");
  };
  const auto close = [this] {
    QWidget* frame = Frame(DevicePlugin::KrvHeat);
    ASSERT_NE(frame, nullptr);
    keldar_flag_set(static_cast<uint8_t*>(frame->property("closeFlag").value<void*>()), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Frame(DevicePlugin::KrvHeat) == nullptr; }, 2000));
  };
  auto* text = tile->findChild<QLabel*>(QStringLiteral("TileText"));
  auto* icon = tile->findChild<QLabel*>(QStringLiteral("TileIcon"));
  ASSERT_NE(text, nullptr);
  ASSERT_NE(icon, nullptr);
  long expected = 0;
  for (QWidget* place :
       {static_cast<QWidget*>(text), static_cast<QWidget*>(icon), static_cast<QWidget*>(tile)}) {
    const QPoint at = place == tile ? QPoint(2, tile->height() - 3) : place->rect().center();
    QTest::mouseClick(place, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(opened(), ++expected) << place->objectName().toStdString();
    close();
  }

  // The tile is a button for the keyboard too: Tab reaches it, Enter and Space press it.
  EXPECT_EQ(tile->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  EXPECT_EQ(text->focusPolicy(), Qt::NoFocus) << "its caption is not a stop of its own";
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
    QTest::keyClick(tile, key);
    EXPECT_EQ(opened(), ++expected);
    close();
  }
}

}  // namespace
