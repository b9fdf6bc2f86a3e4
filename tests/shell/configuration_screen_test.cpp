#include "config/configuration_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/bus/constants.h"
#include "base/bus/selection.h"
#include "base/kit/message_box.h"
#include "base/platform/library.h"
#include "device/bus_protocol_library.h"
#include "device/device_configuration.h"
#include "device/device_record.h"
#include "keldar/bus_protocol_types.h"
#include "sim_process.h"
#include "test_support.h"
#include "widgets.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

std::string Slurp(const std::string& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The configuration screen on a simulated meter, with the real M-Bus library.
class ConfigurationScreen : public ::testing::Test {
 protected:
  ~ConfigurationScreen() override {
    if (port_ != nullptr) keldar_bus_DeleteCProcessComPort(bus_.GetApi(), port_);
  }

  // The built plug-ins, found before the library wrapper below is made.
  struct BuiltPlugins {
    BuiltPlugins() { platform::SetPluginDirectory(KELDAR_BIN_DIR); }
    ~BuiltPlugins() { platform::SetPluginDirectory({}); }
  } plugins_;

  std::unique_ptr<DeviceConfigurationScreen> Open(const std::vector<std::string>& simArgs,
                                                  std::uint8_t address, std::uint8_t type) {
    std::vector<std::string> args{"--no-timing", "--log", log_};
    args.insert(args.end(), simArgs.begin(), simArgs.end());
    if (port_ != nullptr) keldar_bus_DeleteCProcessComPort(bus_.GetApi(), port_);
    sim_ = std::make_unique<SimProcess>(args);
    port_ = keldar_bus_CreateCProcessComPort(bus_.GetApi(), 0, 254, sim_->Path().c_str(), 2400);
    record_ = EmptyDeviceRecord();
    record_.address = address;
    record_.device_type = type;
    std::strcpy(record_.serial, "41000021");
    auto screen = std::make_unique<DeviceConfigurationScreen>(nullptr, &closeFlag_, &record_, port_,
                                                              bus_.GetApi(), Phrases());
    screen->resize(891, 580);
    screen->show();
    return screen;
  }
  std::string Log() const { return Slurp(log_); }

  ScopedWorkingDirectory cwd;
  std::string log_ = (cwd.Path() / "bus.log").string();
  BusProtocolLibrary bus_;
  std::unique_ptr<SimProcess> sim_;
  KeldarBusPort* port_ = nullptr;
  KeldarDeviceRecord record_{};
  uint8_t closeFlag_ = 0;
  platform::MessageBoxRecorder boxes;
};

TEST_F(ConfigurationScreen, OpensWithTheMetersAddressesAndItsTypeSelected) {
  ASSERT_TRUE(bus_.IsLoaded());
  auto screen = Open({MeterFile("krv_cold_water.ini")}, 2, 22);
  QWidget& view = *screen;
  EXPECT_EQ(Child<QLineEdit>(view, "MaskEditPrimaryAddress").text(), "002");
  EXPECT_EQ(Child<QLineEdit>(view, "MaskEditSecondaryAddress").text(), "41000021");
  EXPECT_EQ(Child<QLineEdit>(view, "MaskEditSerialNumber").text(), "41000021");
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDeviceType").currentText(), "Водомер холодной воды");
  EXPECT_EQ(Child<QLabel>(view, "LabelDeviceTypeDescription2").text(), "-");
  EXPECT_TRUE(boxes.calls.empty());
  for (QWidget* box : {&Child<QWidget>(view, "GroupBoxDeviceType"), &Child<QWidget>(view, "Title")})
    EXPECT_EQ(box->mapTo(screen.get(), QPoint(0, 0)).x(), 891 / 2 - box->width() / 2);
  EXPECT_EQ(Child<QLabel>(view, "LabelSerialNumber").geometry().right() + 1 + 5,
            Child<QLineEdit>(view, "MaskEditSerialNumber").x());

  QTest::mouseClick(&Child<QLabel>(view, "Label1"), Qt::LeftButton);
  EXPECT_EQ(closeFlag_, 1) << "the back strip asks to be left";
}

TEST_F(ConfigurationScreen, AnUnknownTypeSelectsNothingAndApplyingItSendsNothing) {
  auto screen = Open({MeterFile("krv_water_7.ini")}, 10, 7);
  QWidget& view = *screen;
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDeviceType").currentIndex(), -1);
  EXPECT_EQ(Child<QLabel>(view, "LabelDeviceTypeDescription2").text(), "");
  const auto before = Log().size();
  screen->ButtonSetDeviceTypeClick();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "Выберите тип устройства.");
  EXPECT_EQ(Log().size(), before) << "no bus traffic without a type";

  Child<QComboBox>(view, "ComboBoxDeviceType").setCurrentIndex(1);
  screen->ButtonSetDeviceTypeClick();
  EXPECT_EQ(boxes.calls.back().text, "Тип устройства успешно изменен.");
  EXPECT_EQ(boxes.calls.back().caption, "Сообщение");
  EXPECT_EQ(boxes.calls.back().flags, 0x2040u);
  EXPECT_EQ(record_.device_type, 6) << "the record follows the acknowledged change";
}

TEST_F(ConfigurationScreen, KeyUpCorrectsThePrimaryAndTheButtonSendsWhatTheEditsHold) {
  auto screen = Open({MeterFile("krv_cold_water.ini")}, 2, 22);
  QWidget& view = *screen;
  Child<QLineEdit>(view, "MaskEditPrimaryAddress").setFocus();
  Child<QLineEdit>(view, "MaskEditPrimaryAddress").clear();
  QTest::keyClicks(&Child<QLineEdit>(view, "MaskEditPrimaryAddress"), "300");
  EXPECT_EQ(Child<QLineEdit>(view, "MaskEditPrimaryAddress").text(), "252")
      << "corrected when the key is released";

  Child<QLineEdit>(view, "MaskEditSecondaryAddress").clear();
  QTest::keyClicks(&Child<QLineEdit>(view, "MaskEditSecondaryAddress"), "1234");
  screen->ButtonSetDeviceAdressClick();
  EXPECT_NE(Log().find("01 7A FC"), std::string::npos) << "252 sent";
  EXPECT_NE(Log().find("0C 79 00 00 34 12"), std::string::npos) << "1234 and four blanks";
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text,
            "Вторичный адрес успешно изменен. Первичный адрес не был изменен.");
  EXPECT_EQ(boxes.calls[0].caption, "");
  EXPECT_EQ(record_.address, 2) << "a refused primary leaves the record";

  Child<QLineEdit>(view, "MaskEditSerialNumber").setText("00012345");
  screen->ButtonSetSerialNumberClick();
  EXPECT_NE(Log().find("0C 78 45 23 01 00"), std::string::npos);
  EXPECT_STREQ(record_.serial, "00012345");
  Child<QLineEdit>(view, "MaskEditSerialNumber").clear();
  screen->ButtonSetSerialNumberClick();
  EXPECT_NE(Log().find("0C 78 00 00 00 00"), std::string::npos) << "an empty edit sends 0";
}

TEST_F(ConfigurationScreen, APrimaryChangeWithARefusedSecondaryWarnsAndKeepsTheNewPrimary) {
  WriteFile("locked.ini",
            "[meter]\naddress = 5\nspeed = 2400\nidentification = 55000001\nmanufacturer = KRV\n"
            "version = 5\nmedium = 7\nmodel = VK-7 water\nsoftware = 1.0\n"
            "secondary_address = read-only\n");
  auto screen = Open({(cwd.Path() / "locked.ini").string()}, 5, 7);
  QWidget& view = *screen;
  Child<QLineEdit>(view, "MaskEditPrimaryAddress").setText("9");
  Child<QLineEdit>(view, "MaskEditSecondaryAddress").setText("12345678");
  screen->ButtonSetDeviceAdressClick();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text,
            "Первичный адрес успешно изменен. Вторичный адрес не был изменен.");
  EXPECT_EQ(boxes.calls[0].flags, 0x2030u);
  EXPECT_EQ(record_.address, 9);
}

TEST_F(ConfigurationScreen, MissingAnswersKeepTheDefaultsWithTheRightMessage) {
  WriteFile(
      "hidden.ini",
      "[meter]\naddress = 6\nspeed = 2400\nidentification = 55000002\nmanufacturer = KRV\n"
      "version = 5\nmedium = 7\nmodel = VK-7 water\nsoftware = 1.0\nsecondary_address = none\n");
  auto screen = Open({(cwd.Path() / "hidden.ini").string()}, 6, 7);
  EXPECT_EQ(Child<QLineEdit>(*screen, "MaskEditSecondaryAddress").text(), "00000000");
  EXPECT_EQ(Child<QLineEdit>(*screen, "MaskEditPrimaryAddress").text(), "006");
  EXPECT_TRUE(boxes.calls.empty()) << "no secondary record is no error";

  auto silent = Open({MeterFile("krv_cold_water.ini")}, 77, 22);
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "Первичный адрес устройства не был получен.");
  EXPECT_EQ(boxes.calls[0].caption, "Ошибка");
  EXPECT_EQ(Child<QLineEdit>(*silent, "MaskEditPrimaryAddress").text(), "000");
  silent->ButtonSetSerialNumberClick();
  EXPECT_EQ(boxes.calls.back().text, "Неверный ответ от устройства.") << "the link reset fails";
}

}  // namespace

namespace {

TEST_F(ConfigurationScreen, ASerialNumberWithAGapIsRefusedAndNothingIsSent) {
  auto screen = Open({MeterFile("krv_cold_water.ini")}, 2, 22);
  QWidget& view = *screen;
  const std::string opened = Log();
  Child<QLineEdit>(view, "MaskEditSerialNumber").setFocus();
  Child<QLineEdit>(view, "MaskEditSerialNumber").clear();
  QTest::keyClicks(&Child<QLineEdit>(view, "MaskEditSerialNumber"), "12");
  QTest::keyClick(&Child<QLineEdit>(view, "MaskEditSerialNumber"), Qt::Key_Right);
  QTest::keyClicks(&Child<QLineEdit>(view, "MaskEditSerialNumber"), "45678");
  ASSERT_EQ(Child<QLineEdit>(view, "MaskEditSerialNumber").displayText(), "12_45678");
  screen->ButtonSetSerialNumberClick();
  EXPECT_EQ(Log(), opened) << "not even the link reset goes out";
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text,
            "В серийном номере пропущена цифра. Введите номер без пропусков; устройству ничего "
            "не отправлено.");
  EXPECT_STREQ(record_.serial, "41000021");

  // Blanks after the last digit are no gap: the number is what was typed.
  Child<QLineEdit>(view, "MaskEditSerialNumber").clear();
  QTest::keyClicks(&Child<QLineEdit>(view, "MaskEditSerialNumber"), "123");
  screen->ButtonSetSerialNumberClick();
  EXPECT_NE(Log().find("0C 78 23 01 00 00"), std::string::npos);
  EXPECT_STREQ(record_.serial, "123");
}

TEST_F(ConfigurationScreen, AtAddress254WithSeveralMetersNothingIsChanged) {
  WriteFile("first.ini",
            "[meter]\naddress = 1\nspeed = 2400\nidentification = 55000001\nmanufacturer = KRV\n"
            "version = 5\nmedium = 7\nmodel = VK-7 water\nsoftware = 1.0\n");
  WriteFile("second.ini",
            "[meter]\naddress = 2\nspeed = 2400\nidentification = 55000002\nmanufacturer = KRV\n"
            "version = 5\nmedium = 7\nmodel = VK-7 water\nsoftware = 1.0\n");
  auto screen =
      Open({(cwd.Path() / "first.ini").string(), (cwd.Path() / "second.ini").string()}, 254, 7);
  QWidget& view = *screen;
  boxes.calls.clear();  // the addresses could not be read: their answers collide
  const std::size_t opened = Log().size();
  const QString several = QString::fromUtf8(
      "По адресу 254 отвечает несколько устройств. Подключитесь к устройству по его первичному "
      "адресу; устройствам ничего не отправлено.");
  Child<QLineEdit>(view, "MaskEditPrimaryAddress").setText("9");
  Child<QLineEdit>(view, "MaskEditSecondaryAddress").setText("12345678");
  screen->ButtonSetDeviceAdressClick();
  Child<QLineEdit>(view, "MaskEditSerialNumber").setText("123");
  screen->ButtonSetSerialNumberClick();
  Child<QComboBox>(view, "ComboBoxDeviceType").setCurrentIndex(1);
  screen->ButtonSetDeviceTypeClick();
  ASSERT_EQ(boxes.calls.size(), 3u);
  for (const auto& box : boxes.calls) EXPECT_EQ(box.text, several);
  EXPECT_EQ(Log().find("SND_UD", opened), std::string::npos) << "no write went out";
  EXPECT_EQ(record_.address, 254);
  EXPECT_STREQ(record_.serial, "41000021");
}

// A device reached by selection is written to at 253 after a fresh selection,
// never after a SND_NKE to 253, which would end a standard meter's selection.
TEST_F(ConfigurationScreen, ASelectedDeviceOfEitherKindTakesItsNewSerialNumber) {
  for (const char* kind : {"--selection-kept", "--standard-selection"}) {
    SCOPED_TRACE(kind);
    std::vector<std::string> args{MeterFile("krv_heat.ini")};
    if (std::string(kind) == "--standard-selection") args.insert(args.begin(), kind);
    boxes.calls.clear();
    auto screen = Open(args, 0, 0);  // placeholders until the device is selected
    screen.reset();
    ASSERT_TRUE(mbus::Select({bus_.GetApi(), port_, {}},
                             {.manufacturer = "KRV", .medium = 22, .model = "WS-15 cold"}));
    record_.address = mbus::kAddressSelected;
    record_.device_type = 22;
    std::strcpy(record_.manufacturer, "KRV");
    std::strcpy(record_.model, "WS-15 cold");
    DeviceConfigurationScreen selected(nullptr, &closeFlag_, &record_, port_, bus_.GetApi(),
                                       Phrases());
    boxes.calls.clear();
    Child<QLineEdit>(selected, "MaskEditSerialNumber").setText("12345");
    selected.ButtonSetSerialNumberClick();
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Серийный номер устройства успешно изменен.");
    EXPECT_EQ(Log().find("SND_NKE a=253"), std::string::npos);
  }
}

TEST(SerialNumberGap, OnlyABlankBeforeADigitIsAGap) {
  EXPECT_TRUE(HasGap("12 45678"));
  EXPECT_TRUE(HasGap(" 2345678"));
  EXPECT_TRUE(HasGap("1      8"));
  EXPECT_FALSE(HasGap("12345678"));
  EXPECT_FALSE(HasGap("123     "));
  EXPECT_FALSE(HasGap("        "));
  EXPECT_FALSE(HasGap(""));
}

}  // namespace
