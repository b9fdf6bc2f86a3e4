#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

#include "app/main_window.h"
#include "app/navigation_host.h"
#include "base/core/brand_profile.h"
#include "base/core/ini_file.h"
#include "base/kit/message_box.h"
#include "config/about_screen.h"
#include "config/settings_screen.h"
#include "device/screens/home_screen.h"
#include "device/serial_ports.h"
#include "keldar/plugin_abi.h"
#include "test_support.h"
#include "widgets.h"

namespace {

const std::filesystem::path kFakes(KELDAR_FAKES_DIR);
const QString kMissingComponent = "Не хватает компонента для работы в этом режиме.";

uint8_t* CloseFlagOf(QWidget* screen) {
  return static_cast<uint8_t*>(screen->property("closeFlag").value<void*>());
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) - lines.begin();
}

TEST(Navigation, AHostedScreenThatSetsTheFlagIsClosedWithinAPollPeriod) {
  StartupEnvironment startup(kFakes / "all", "ru_RU.UTF-8");
  MainWindow window;
  window.show();
  auto* navigation = window.Navigation();
  for (int kind : {NavigationHost::kAdministration, NavigationHost::kArchive}) {
    ASSERT_EQ(navigation->OpenScreen(kind), 1);
    QWidget* screen = kind == NavigationHost::kAdministration ? navigation->AdministrationScreen()
                                                              : navigation->ArchiveScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->geometry(), window.rect()) << "hosted screens cover the whole window";
    EXPECT_FALSE(window.ProgramMain()->isVisible());
    EXPECT_EQ(navigation->CloseRequested(), 0);

    QElapsedTimer elapsed;
    elapsed.start();
    keldar_flag_set(CloseFlagOf(screen), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.ProgramMain()->isVisible(); }, 2000));
    EXPECT_LT(elapsed.elapsed(), 1000) << "about one poll period of 200 ms";
    EXPECT_EQ(navigation->CloseRequested(), 0);
    EXPECT_EQ(navigation->AdministrationScreen(), nullptr);
    EXPECT_EQ(navigation->ArchiveScreen(), nullptr);
  }
  const auto lines = startup.session.Lines();
  EXPECT_TRUE(Contains(lines, "AdminTools: delete administration"));
  EXPECT_TRUE(Contains(lines, "AdminTools: delete archive"));
}

TEST(Navigation, ClosingTheWindowReleasesAnOpenScreenBeforeItsLibraryIsUnloaded) {
  StartupEnvironment startup(kFakes / "all", "ru_RU.UTF-8");
  {
    MainWindow window;
    ASSERT_EQ(window.Navigation()->OpenScreen(NavigationHost::kAdministration), 1);
  }
  const auto lines = startup.session.Lines();
  const auto deleted = IndexOf(lines, "AdminTools: delete administration");
  const auto unloaded = IndexOf(lines, "AdminTools: unload");
  ASSERT_LT(deleted, static_cast<std::ptrdiff_t>(lines.size()));
  ASSERT_LT(unloaded, static_cast<std::ptrdiff_t>(lines.size()));
  EXPECT_LT(deleted, unloaded);
}

TEST(Navigation, WithoutTheLibrariesTheButtonsTellWhatIsMissingAndHomeStays) {
  ScopedWorkingDirectory nothing;
  StartupEnvironment startup(nothing.Path(), "ru_RU.UTF-8");
  platform::MessageBoxRecorder boxes;
  MainWindow window;
  window.show();
  EXPECT_EQ(window.Navigation()->OpenScreen(NavigationHost::kAdministration), 0);
  EXPECT_EQ(window.Navigation()->OpenScreen(NavigationHost::kArchive), 0);
  window.ProgramMain()->ConnectClick();  // needs the M-Bus library
  ASSERT_EQ(boxes.calls.size(), 3u);
  for (const auto& call : boxes.calls) {
    EXPECT_EQ(call.text, kMissingComponent);
    EXPECT_EQ(call.caption, "");
    EXPECT_EQ(call.flags, 0x2040u);
  }
  EXPECT_TRUE(window.ProgramMain()->isVisible());
  EXPECT_EQ(window.Navigation()->PortObject(), nullptr);
}

TEST(Navigation, WaitingForTheWorkerNeverDeadlocksWithItsSynchronisedCall) {
  StartupEnvironment startup(kFakes / "all", "ru_RU.UTF-8");
  for (int i = 0; i < 5; ++i) {
    MainWindow window;
    ASSERT_EQ(window.Navigation()->OpenScreen(NavigationHost::kArchive), 1);
    keldar_flag_set(CloseFlagOf(window.Navigation()->ArchiveScreen()), 1);
    // The worker may now be waiting for the main thread while the window is
    // destroyed without the main thread ever running its request.
    QThread::msleep(static_cast<unsigned long>(150 + 20 * i));
  }
  SUCCEED();
}

// --- connection screen ---------------------------------------------------

struct ConnectionScreenTest : ::testing::Test {
  ScopedWorkingDirectory cwd;
  ScopedEnv ports{"KELDAR_SERIAL_PORTS", "/tmp/keldar-a:/tmp/keldar-b"};
  platform::MessageBoxRecorder boxes;
  std::vector<std::tuple<std::string, int, int>> requests;

  std::unique_ptr<HomeScreen> Make(IniFile& settings, Phrases phrases = {}) {
    HomeScreen::Actions actions;
    actions.connect = [this](const std::string& path, int speed, int address) {
      requests.emplace_back(path, speed, address);
    };
    const BrandProfile brand(1);
    auto screen = std::make_unique<HomeScreen>(nullptr, brand, settings, phrases, actions);
    screen->resize(891, 559);
    screen->show();
    return screen;
  }
};

TEST_F(ConnectionScreenTest, ASettingsFileThatCannotBeReadIsSaidOnceTheScreenIsUp) {
  std::filesystem::create_directory("config.ini");
  IniFile settings;
  auto screen = Make(settings);
  EXPECT_TRUE(boxes.calls.empty()) << "not before the window shows";
  QApplication::processEvents();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_TRUE(boxes.calls[0].text.startsWith(
      QStringLiteral("Не удалось прочитать файл настроек config.ini")))
      << boxes.calls[0].text.toStdString();
  EXPECT_EQ(boxes.calls[0].flags, platform::kMbTaskModal | platform::kMbIconWarning);
  EXPECT_TRUE(std::filesystem::is_directory("config.ini"));

  std::filesystem::remove("config.ini");
  IniFile sound;
  auto quiet = Make(sound);
  QApplication::processEvents();
  EXPECT_EQ(boxes.calls.size(), 1u) << "a missing file is no fault";
}

TEST_F(ConnectionScreenTest, AddressIsReadFromItsLeadingDigitsAndClampedTo1To254) {
  EXPECT_EQ(ParseDeviceAddress(""), 1);
  EXPECT_EQ(ParseDeviceAddress("___"), 1);
  EXPECT_EQ(ParseDeviceAddress("999"), 254);
  EXPECT_EQ(ParseDeviceAddress("0"), 1);
  EXPECT_EQ(ParseDeviceAddress("12_"), 12);
  EXPECT_EQ(ParseDeviceAddress("254"), 254);
  EXPECT_EQ(ParseDeviceAddress("99999999999999999999"), 254) << "no overflow";

  IniFile settings;
  auto screen = Make(settings);
  QWidget& view = *screen;
  Child<QComboBox>(view, "ComboBoxSerialPort")
      .setCurrentIndex(Child<QComboBox>(view, "ComboBoxSerialPort").findText("/tmp/keldar-a"));
  for (const auto& [typed, expected] : {std::pair{"", 1}, {"999", 254}, {"0", 1}, {"17", 17}}) {
    Child<QLineEdit>(view, "MaskEditDeviceAdress").setText(typed);
    screen->ConnectClick();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(std::get<2>(requests.back()), expected) << typed;
  }
  EXPECT_EQ(std::get<0>(requests.back()), "/tmp/keldar-a") << "listed paths keep their form";
  EXPECT_EQ(std::get<1>(requests.back()), 300);
  EXPECT_TRUE(boxes.calls.empty());

  // Typed as a user types: a blank left inside ends the address ("1_5" is 1, not 15).
  Child<QLineEdit>(view, "MaskEditDeviceAdress").setFocus();
  Child<QLineEdit>(view, "MaskEditDeviceAdress").clear();
  QTest::keyClick(&Child<QLineEdit>(view, "MaskEditDeviceAdress"), Qt::Key_1);
  QTest::keyClick(&Child<QLineEdit>(view, "MaskEditDeviceAdress"), Qt::Key_Right);
  QTest::keyClick(&Child<QLineEdit>(view, "MaskEditDeviceAdress"), Qt::Key_5);
  ASSERT_EQ(Child<QLineEdit>(view, "MaskEditDeviceAdress").displayText(), "1_5");
  screen->ConnectClick();
  EXPECT_EQ(std::get<2>(requests.back()), 1);

  // Enter in the address connects as the button does.
  const auto before = requests.size();
  QTest::keyClick(&Child<QLineEdit>(view, "MaskEditDeviceAdress"), Qt::Key_Return);
  EXPECT_EQ(requests.size(), before + 1);
}

TEST_F(ConnectionScreenTest, AGatewayIsOfferedAgainAndATypedOneIsCheckedAsItIsTyped) {
  WriteFile("config.ini", "[GATEWAYS]\r\n1 = tcp://10.0.0.9:10001\r\n2 = tcp://broken\r\n");
  IniFile settings;
  auto screen = Make(settings);
  QWidget& view = *screen;
  auto& ports = Child<QComboBox>(view, "ComboBoxSerialPort");
  EXPECT_GT(ports.findText("tcp://10.0.0.9:10001"), ports.findText("/tmp/keldar-b"))
      << "after the serial ports";
  EXPECT_EQ(ports.findText("tcp://broken"), -1);
  ports.setCurrentIndex(ports.findText("tcp://10.0.0.9:10001"));
  screen->ConnectClick();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(std::get<0>(requests.back()), "tcp://10.0.0.9:10001");

  ports.lineEdit()->clear();
  ports.lineEdit()->setFocus();
  QTest::keyClicks(ports.lineEdit(), "tcp://gw-3");
  EXPECT_TRUE(screen->PortMarkedMalformed());
  EXPECT_FALSE(ports.lineEdit()->styleSheet().isEmpty()) << "marked as it is typed";
  EXPECT_FALSE(ports.toolTip().isEmpty());
  screen->ConnectClick();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "Это не адрес шлюза: пишите tcp://УЗЕЛ:ПОРТ");
  EXPECT_EQ(requests.size(), 1u) << "nothing starts";

  QTest::keyClicks(ports.lineEdit(), ":502");
  EXPECT_FALSE(screen->PortMarkedMalformed());
  EXPECT_TRUE(ports.lineEdit()->styleSheet().isEmpty());
  EXPECT_TRUE(ports.toolTip().isEmpty());
  screen->ConnectClick();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(std::get<0>(requests.back()), "tcp://gw-3:502");
  EXPECT_EQ(boxes.calls.size(), 1u);
}

TEST_F(ConnectionScreenTest, ItsButtonsAreReachedWithTabAndPressedWithEnterOrSpace) {
  IniFile settings;
  auto screen = Make(settings);
  QWidget& view = *screen;
  Child<QComboBox>(view, "ComboBoxSerialPort")
      .setCurrentIndex(Child<QComboBox>(view, "ComboBoxSerialPort").findText("/tmp/keldar-a"));
  // Tab goes through the columns from left to right, the connection last.
  std::vector<QWidget*> chain;
  QWidget* at = &Child<QLabel>(view, "PanelButtonEnter");
  for (int i = 0; i < 7; ++i, at = at->nextInFocusChain()) {
    // As Tab does, a widget that hands its focus on (the port list's edit line) is passed over.
    while (!(at->focusPolicy() & Qt::TabFocus) || at->focusProxy() != nullptr)
      at = at->nextInFocusChain();
    chain.push_back(at);
  }
  EXPECT_EQ(chain, (std::vector<QWidget*>{&Child<QLabel>(view, "PanelButtonEnter"),
                                          &Child<QLabel>(view, "PanelButtonViewArhiv"),
                                          &Child<QComboBox>(view, "ComboBoxSerialPort"),
                                          &Child<QLabel>(view, "UpdateComPortList"),
                                          &Child<QComboBox>(view, "ComboBoxSerialPortSpeed"),
                                          &Child<QLineEdit>(view, "MaskEditDeviceAdress"),
                                          &Child<QLabel>(view, "PanelButtonConnect")}));
  const auto before = requests.size();
  QTest::keyClick(&Child<QLabel>(view, "PanelButtonConnect"), Qt::Key_Return);
  QTest::keyClick(&Child<QLabel>(view, "PanelButtonConnect"), Qt::Key_Space);
  EXPECT_EQ(requests.size(), before + 2);
  // The focused button shows it.
  Child<QLabel>(view, "PanelButtonConnect").setFocus();
  auto* ring =
      Child<QLabel>(view, "PanelButtonConnect").findChild<QWidget*>(QStringLiteral("FocusRing"));
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(ring->isVisible(), Child<QLabel>(view, "PanelButtonConnect").hasFocus());
}

TEST_F(ConnectionScreenTest, MissingPortOrSpeedIsExplainedAndNothingStarts) {
  IniFile settings;
  auto screen = Make(settings);
  QWidget& view = *screen;
  Child<QComboBox>(view, "ComboBoxSerialPort").setCurrentIndex(-1);
  screen->ConnectClick();
  Child<QComboBox>(view, "ComboBoxSerialPortSpeed").setCurrentIndex(-1);
  screen->ConnectClick();
  Child<QComboBox>(view, "ComboBoxSerialPort").setCurrentIndex(0);
  screen->ConnectClick();
  ASSERT_EQ(boxes.calls.size(), 3u);
  EXPECT_EQ(boxes.calls[0].text, "Выберите Serial Port.");
  EXPECT_EQ(boxes.calls[1].text, "Выберите Serial Port и желаемую скорость работы.");
  EXPECT_EQ(boxes.calls[2].text, "Выберите желаемую скорость работы");
  EXPECT_TRUE(requests.empty());
}

TEST_F(ConnectionScreenTest, TheLastPortAndSpeedArePreselectedOnlyOnAnExactPathMatch) {
  WriteFile("config.ini", "[SERIAL]\r\nCOM = /TMP/KELDAR-B\r\nBAUD = 2400\r\n");
  IniFile settings;
  auto screen = Make(settings);
  EXPECT_EQ(Child<QComboBox>(*screen, "ComboBoxSerialPort").currentText(), "/tmp/keldar-b");
  EXPECT_EQ(Child<QComboBox>(*screen, "ComboBoxSerialPortSpeed").currentText(), "2400");

  WriteFile("config.ini", "[SERIAL]\r\nCOM = keldar-b\r\nBAUD = 115200\r\n");
  IniFile other;
  auto second = Make(other);
  EXPECT_EQ(Child<QComboBox>(*second, "ComboBoxSerialPort").currentIndex(), 0)
      << "first port stays";
  EXPECT_EQ(Child<QComboBox>(*second, "ComboBoxSerialPortSpeed").currentText(), "300");

  WriteFile("config.ini", "[SERIAL]\r\nCOM = /tmp/keldar-b\r\n");
  IniFile portOnly;
  auto third = Make(portOnly);
  EXPECT_EQ(Child<QComboBox>(*third, "ComboBoxSerialPort").currentText(), "/tmp/keldar-b");
  EXPECT_EQ(Child<QComboBox>(*third, "ComboBoxSerialPortSpeed").currentText(), "300");
}

TEST_F(ConnectionScreenTest, ColumnsAndControlsFollowTheLayoutRules) {
  IniFile settings;
  auto screen = Make(settings);
  QWidget& view = *screen;
  for (const QSize size : {QSize(891, 559), QSize(1240, 780)}) {
    screen->resize(size);
    QApplication::processEvents();
    const int column = (size.width() - 2 - 2 - 20) / 3;
    EXPECT_EQ(Child<QFrame>(view, "Background1").geometry(),
              QRect(0, size.height() / 2 - 290, column, 580));
    EXPECT_EQ(Child<QLabel>(view, "Separator1").x(), column + 1);
    EXPECT_EQ(Child<QFrame>(view, "Background2").x(), column + 3);
    EXPECT_EQ(Child<QLabel>(view, "Separator2").x(), 2 * column + 4);
    EXPECT_EQ(Child<QFrame>(view, "Background3").x(), 2 * column + 6);
    const int c = column / 2;
    const int q = c / 2;
    EXPECT_EQ(Child<QLabel>(view, "PanelButtonConnect").x(),
              c - Child<QLabel>(view, "PanelButtonConnect").width() / 2);
    EXPECT_EQ(Child<QLabel>(view, "Image5").x(), c - Child<QLabel>(view, "Image5").width() / 2);
    EXPECT_EQ(Child<QComboBox>(view, "ComboBoxSerialPort").x(),
              c - q - Child<QComboBox>(view, "ComboBoxSerialPort").width() / 2);
    EXPECT_EQ(Child<QLineEdit>(view, "MaskEditDeviceAdress").x(),
              c + q - Child<QLineEdit>(view, "MaskEditDeviceAdress").width() / 2);
    EXPECT_EQ(Child<QLabel>(view, "UpdateComPortList").x(),
              Child<QComboBox>(view, "ComboBoxSerialPort").geometry().right() + 1 + 9);
    EXPECT_EQ(Child<QFrame>(view, "PanelLabelStatus").x(),
              Child<QProgressBar>(view, "ProgressBar1").x());
    EXPECT_EQ(Child<QFrame>(view, "PanelLabelStatus").width(),
              Child<QProgressBar>(view, "ProgressBar1").width());
  }
}

TEST_F(ConnectionScreenTest, ConnectingSwapsTheIdleControlsForProgressAndStatus) {
  IniFile settings;
  auto screen = Make(settings);
  screen->show();
  QWidget& view = *screen;
  EXPECT_FALSE(Child<QProgressBar>(view, "ProgressBar1").isVisible());
  EXPECT_TRUE(Child<QLabel>(view, "PanelButtonConnect").isVisible());
  screen->ShowConnecting(true);
  EXPECT_TRUE(Child<QProgressBar>(view, "ProgressBar1").isVisible());
  EXPECT_TRUE(Child<QLabel>(view, "LabelStatus").isVisible());
  EXPECT_FALSE(Child<QComboBox>(view, "ComboBoxSerialPort").isVisible());
  EXPECT_FALSE(Child<QLineEdit>(view, "MaskEditDeviceAdress").isVisible());
  screen->ShowConnecting(false);
  EXPECT_TRUE(Child<QComboBox>(view, "ComboBoxSerialPortSpeed").isVisible());
  EXPECT_FALSE(Child<QLabel>(view, "LabelStatus").isVisible());
}

TEST_F(ConnectionScreenTest, TheRefreshIconAnimatesThenRebuildsThePortList) {
  IniFile settings;
  auto screen = Make(settings);
  screen->show();
  QWidget& view = *screen;
  ASSERT_EQ(Child<QComboBox>(view, "ComboBoxSerialPort").findText("/tmp/keldar-c"), -1);
  ScopedEnv more("KELDAR_SERIAL_PORTS", "/tmp/keldar-a:/tmp/keldar-c");
  QTest::mouseClick(&Child<QLabel>(view, "UpdateComPortList"), Qt::LeftButton);
  EXPECT_TRUE(Child<QLabel>(view, "UpdateComPortListAnimate").isVisible());
  EXPECT_FALSE(Child<QLabel>(view, "UpdateComPortList").isVisible());
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return Child<QLabel>(view, "UpdateComPortList").isVisible(); }, 3000));
  EXPECT_FALSE(Child<QLabel>(view, "UpdateComPortListAnimate").isVisible());
  EXPECT_NE(Child<QComboBox>(view, "ComboBoxSerialPort").findText("/tmp/keldar-c"), -1);
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxSerialPort").currentIndex(), 0);
}

// --- language settings and about ------------------------------------------

TEST(LanguageSettings, ApplyingTheThirdLanguageStoresItAndRenamesTheHomeScreenAtOnce) {
  StartupEnvironment startup(kFakes / "all", "ru_RU.UTF-8");
  MainWindow window;
  QWidget& settings = *window.ProgramSetting();
  EXPECT_EQ(Child<QComboBox>(settings, "ComboBoxLanguage").count(), 3);
  EXPECT_EQ(Child<QComboBox>(settings, "ComboBoxLanguage").currentIndex(), 1)
      << "the stored language 2";
  Child<QComboBox>(settings, "ComboBoxLanguage").setCurrentIndex(2);
  window.ProgramSetting()->SetLanguageClick();

  EXPECT_NE(ReadFile("config.ini").find("LANG = 3\r\n"), std::string::npos);
  EXPECT_EQ(startup.session.Lines().back(), "Phrases: select 3");
  EXPECT_EQ(Child<QLabel>(*window.ProgramMain(), "PanelButtonEnter").text(),
            "3:FRAME_PROGRAM_MAIN_ENTER");
  EXPECT_EQ(Child<QLabel>(*window.ProgramMain(), "LabelDeviceAdress").text(),
            "3:FRAME_PROGRAM_MAIN_DEVICE_ADRESS:");
  EXPECT_EQ(Child<QLabel>(settings, "SetLanguage").text(), "3:FRAME_PROGRAM_SETTING_APPLY");
  EXPECT_EQ(Child<QLabel>(settings, "LabelLanguage").text(),
            "3:FRAME_PROGRAM_SETTING_SELECT_LANGUAGE:");
}

TEST(LanguageSettings, ALanguageThatCannotBeStoredIsSaid) {
  StartupEnvironment startup(kFakes / "all", "ru_RU.UTF-8");
  std::filesystem::create_directory("config.ini");
  Settings().Load();
  platform::MessageBoxRecorder boxes;
  MainWindow window;
  QApplication::processEvents();
  boxes.calls.clear();  // the start's own word about the file
  window.ProgramSetting()->SetLanguageClick();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_TRUE(boxes.calls[0].text.endsWith("FRAME_PROGRAM_MAIN_SETTINGS_NOT_SAVED"))
      << boxes.calls[0].text.toStdString();
  EXPECT_TRUE(std::filesystem::is_directory("config.ini"));
  std::filesystem::remove("config.ini");
  Settings().Load();
}

TEST(LanguageSettings, TheExchangeLogSwitchIsStoredAtOnceAndSaidWhenItCannotBe) {
  StartupEnvironment startup(kFakes / "all", "ru_RU.UTF-8");
  Settings().Load();
  platform::MessageBoxRecorder boxes;
  {
    MainWindow window;
    QCheckBox& box = Child<QCheckBox>(*window.ProgramSetting(), "CheckBoxBusLog");
    EXPECT_TRUE(box.text().endsWith("FRAME_PROGRAM_SETTING_SAVE_BUS_LOG"))
        << box.text().toStdString();
    EXPECT_FALSE(box.isChecked()) << "off until switched on";
    box.click();
    EXPECT_NE(ReadFile("config.ini").find("[LOG]\r\nBUS = 1\r\n"), std::string::npos);
  }
  Settings().Load();
  {
    MainWindow window;
    QCheckBox& box = Child<QCheckBox>(*window.ProgramSetting(), "CheckBoxBusLog");
    EXPECT_TRUE(box.isChecked()) << "as config.ini keeps it";
    box.click();
    EXPECT_NE(ReadFile("config.ini").find("BUS = 0\r\n"), std::string::npos);
  }
  EXPECT_TRUE(boxes.calls.empty());

  std::filesystem::remove("config.ini");
  std::filesystem::create_directory("config.ini");
  Settings().Load();
  MainWindow window;
  QApplication::processEvents();
  boxes.calls.clear();  // the start's own word about the file
  Child<QCheckBox>(*window.ProgramSetting(), "CheckBoxBusLog").click();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_TRUE(boxes.calls[0].text.endsWith("FRAME_PROGRAM_MAIN_SETTINGS_NOT_SAVED"))
      << boxes.calls[0].text.toStdString();
  std::filesystem::remove("config.ini");
  Settings().Load();
}

TEST(LanguageSettings, AStoredIdNoLanguageHasSelectsNothingAndAppliesAsZero) {
  StartupEnvironment startup(kFakes / "all", "ru_RU.UTF-8");
  WriteFile("config.ini", "[LANGUAGE]\r\nLANG = 7\r\n");
  Settings().Load();
  MainWindow window;
  QWidget& view = *window.ProgramSetting();
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxLanguage").currentIndex(), -1);
  window.ProgramSetting()->SetLanguageClick();
  EXPECT_NE(ReadFile("config.ini").find("LANG = 0\r\n"), std::string::npos);
  EXPECT_EQ(startup.session.Lines().back(), "Phrases: select 0");
}

TEST(LanguageSettings, WithoutLanguagesApplyingExplainsThatNoneIsSelected) {
  {
    ScopedWorkingDirectory nothing;
    StartupEnvironment startup(nothing.Path(), "ru_RU.UTF-8");
    platform::MessageBoxRecorder boxes;
    MainWindow window;
    EXPECT_EQ(Child<QComboBox>(*window.ProgramSetting(), "ComboBoxLanguage").count(), 0);
    window.ProgramSetting()->SetLanguageClick();
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Язык интерфейса не выбран.");
    EXPECT_EQ(boxes.calls[0].caption, "");
    EXPECT_EQ(boxes.calls[0].flags, 0x2010u);
    EXPECT_FALSE(std::filesystem::exists("config.ini"));
  }
  StartupEnvironment startup(kFakes / "nolanguages", "ru_RU.UTF-8");
  platform::MessageBoxRecorder boxes;
  MainWindow window;
  QWidget& view = *window.ProgramSetting();
  ASSERT_EQ(Child<QComboBox>(view, "ComboBoxLanguage").count(), 1);
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxLanguage").itemText(0), "По умолчанию");
  const auto before = ReadFile("config.ini");
  window.ProgramSetting()->SetLanguageClick();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "2:FRAME_PROGRAM_SETTING_LANGUAGE_IS_NOT_SELECTED");
  EXPECT_EQ(ReadFile("config.ini"), before) << "nothing stored";
}

TEST(Overlays, SettingsCoverTheBarTheAboutBoxStaysCentredAndLeavesTheBarUsable) {
  ScopedWorkingDirectory nothing;
  StartupEnvironment startup(nothing.Path(), "ru_RU.UTF-8");
  MainWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QWidget& bar = Child<QFrame>(window, "Bottom");

  QTest::mouseClick(&Child<QLabel>(bar, "Image1"), Qt::LeftButton);
  AboutScreen* about = window.FrameAbout();
  EXPECT_TRUE(about->isVisible());
  for (const QSize size : {QSize(891, 580), QSize(1300, 900)}) {
    window.resize(size);
    QApplication::processEvents();
    EXPECT_EQ(about->x(), Child<QFrame>(window, "Main").width() / 2 - about->width() / 2);
    EXPECT_EQ(about->y(), Child<QFrame>(window, "Main").height() / 2 - about->height() / 2);
  }
  EXPECT_EQ(Child<QLabel>(*about, "LabelVersion_").text(), "v.0.14");
  EXPECT_FALSE(Child<QLabel>(*about, "LabelWebSiteUrl").text().isEmpty());

  QTest::mouseClick(&Child<QLabel>(bar, "Image4"), Qt::LeftButton);  // the bar still responds
  SettingsScreen* settings = window.ProgramSetting();
  EXPECT_TRUE(settings->isVisible());
  EXPECT_EQ(settings->geometry(), window.rect()) << "the settings screen covers the bottom bar";
  QTest::mouseClick(&Child<QLabel>(*settings, "Label1"), Qt::LeftButton);
  EXPECT_FALSE(settings->isVisible());
  QTest::mouseClick(&Child<QLabel>(*about, "PanelButtonOk"), Qt::LeftButton);
  EXPECT_FALSE(about->isVisible());
}

}  // namespace
