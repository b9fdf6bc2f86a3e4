// The device screens against simulated meters, through the real M-Bus,
// language and archive libraries: what the meter holds appears on the screen
// with its units, and a saved reading can be read back from the archive.
#include <gtest/gtest.h>

#include <QTest>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "device_plugin.h"
#include "libraries.h"
#include "screen_support.h"
#include "sim_process.h"
#include "test_support.h"

namespace devicescreen::test {
namespace {

namespace fs = std::filesystem;

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

constexpr int kReadTimeoutMs = 20000;
constexpr int32_t kEnglish = 1;

class MeterSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bus_.Loaded()) << "BusProtocol.so";
    ASSERT_TRUE(admin_.Loaded()) << "AdminTools.so";
    std::vector<std::string> args = SimOptions();
    args.push_back(MeterPath());
    sim_ = std::make_unique<SimProcess>(args);
    ASSERT_FALSE(sim_->Path().empty()) << "keldar-meter-sim did not start";
    port_ = keldar_bus_CreateCProcessComPort(bus_.get(), 0, KELDAR_BUS_ADDRESS_ANY,
                                             sim_->Path().c_str(), 2400);
    ASSERT_NE(port_, nullptr);
    ASSERT_NE(keldar_bus_CProcessComPortGetStatus(bus_.get(), port_), 0);
  }
  void TearDown() override {
    if (port_ != nullptr) keldar_bus_DeleteCProcessComPort(bus_.get(), port_);
  }
  virtual std::string MeterPath() { return MeterFile("krv_heat.ini"); }
  virtual std::vector<std::string> SimOptions() { return {}; }

  // Opens a device plug-in's frame and waits for its first read.
  QWidget* OpenAndRead(const DevicePlugin& plugin, KeldarDeviceRecord& device,
                       void* phrases = nullptr, const KeldarLanguageLibrary* language = nullptr) {
    QWidget* frame =
        plugin.Create(port_, bus_.get(), phrases, language, admin_.get(), &device, &closeFlag_);
    if (frame == nullptr) return nullptr;
    frame->resize(891, 540);
    frame->show();
    const bool read = QTest::qWaitFor(
        [&] { return Control(*frame, "PanelButtonRefresh").isEnabled(); }, kReadTimeoutMs);
    EXPECT_TRUE(read) << "the read did not end";
    return frame;
  }

  // Selects a device by secondary address, as the shell does before opening it.
  bool Select(const char* manufacturer, std::uint8_t medium, const char* model) {
    const auto* lib = bus_.get();
    KeldarBusTelegram* telegram = keldar_bus_CreateTelegramMbus(lib);
    KeldarBusData* buffer = keldar_bus_CreateDataMbus(lib);
    keldar_bus_LongFrameClear(lib, telegram->long_frame);
    keldar_bus_SetSecondaryAddressing(lib, telegram->long_frame, KELDAR_BUS_WILDCARD_ID, 0,
                                      manufacturer, 255, medium, model);
    keldar_bus_CLongFrameSerialize(lib, telegram->long_frame);
    keldar_bus_CProcessComPortWriteData(lib, port_, telegram->long_frame);
    keldar_bus_DataMbusClear(lib, buffer);
    keldar_bus_CProcessComPortReadData(lib, port_, buffer);
    const bool acknowledged = keldar_bus_ParserTelegram(lib, telegram, buffer) == 1;
    keldar_bus_DeleteDataMbus(lib, buffer);
    keldar_bus_DeleteTelegramMbus(lib, telegram);
    if (acknowledged) keldar_bus_CProcessComPortSetAdress(lib, port_, KELDAR_BUS_ADDRESS_SELECTED);
    return acknowledged;
  }

  // Selects the cold-water device on input 0, reads it at 253 in its screen and saves it.
  void ReadsTheSelectedSubDeviceAndSavesIt();

  ScopedWorkingDirectory cwd_;  // archive.db is made here: a fresh one per test
  BusLibrary bus_;
  AdminLibrary admin_;
  std::unique_ptr<SimProcess> sim_;
  KeldarBusPort* port_ = nullptr;
  std::uint8_t closeFlag_ = 0;
};

TEST_F(MeterSimTest, AHeatMetersReadingIsShownAndSavedIntoTheArchive) {
  DevicePlugin plugin("KRVHEATDLL.so");
  ASSERT_TRUE(plugin.Loaded());
  KeldarDeviceRecord device = HeatDevice(1);
  device.device_type = 4;
  QWidget* frame = OpenAndRead(plugin, device);
  ASSERT_NE(frame, nullptr);

  const QTableWidget& table = Table(*frame);
  ASSERT_GE(table.rowCount(), 13) << Text(*frame, "LabelStatus").toStdString();
  const auto value = [&](const char* quantity, int storage = 0) {
    const int row = RowOf(table, QString::fromUtf8(quantity), storage);
    return row < 0 ? QString() : Cell(table, row, 1) + " " + Cell(table, row, 2);
  };
  EXPECT_EQ(value("Энергия"), "12873 кВт·ч");
  EXPECT_EQ(value("Энергия", 1), "12011 кВт·ч");
  EXPECT_EQ(value("Объём"), "2457,190 м³");
  EXPECT_EQ(value("Мощность"), "14,250 кВт");
  EXPECT_EQ(value("Расход"), "0,612 м³/ч");
  EXPECT_EQ(value("Температура подачи"), "70,12 °C");
  EXPECT_EQ(value("Температура обратки"), "49,88 °C");
  EXPECT_EQ(value("Разность температур"), "20,24 К");
  EXPECT_EQ(value("Время включения"), "27612 ч");
  EXPECT_EQ(value("Дата и время"), "14.05.2024 10:20 ");
  EXPECT_EQ(value("Дата", 1), "30.04.2024 ");
  EXPECT_EQ(value("Флаги ошибок"), "нет ошибок ");
  EXPECT_EQ(value("Заводской номер"), "41000001 ");

  Click(Control(*frame, "PanelButtonSave"));
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Показания сохранены в архив.");
  plugin.Delete(frame);
  EXPECT_TRUE(fs::exists(cwd_.Path() / "archive.db"));

  // The archive's own operations read the row back.
  const auto* lib = admin_.get();
  KeldarAdminStore* store = keldar_admin_CreateCSQLite3(lib);
  ASSERT_NE(store, nullptr);
  KeldarAdminDeviceHeatArray* rows = keldar_admin_CreateCArrayDataDeviceHeat(lib);
  EXPECT_EQ(keldar_admin_GetDeviceHeatData(lib, store, rows), 1);
  const KeldarAdminDeviceHeat* saved = keldar_admin_CArrayDataDeviceHeatGetIndexData(lib, rows, 0);
  ASSERT_NE(saved, nullptr);
  EXPECT_STREQ(saved->device.manufacturer, "KRV");
  EXPECT_STREQ(saved->device.serial, "41000001");
  EXPECT_STREQ(saved->device.model, "TV-7 heat");
  EXPECT_DOUBLE_EQ(saved->reading.energy_wh, 12873000);
  EXPECT_NEAR(saved->reading.volume_m3, 2457.19, 1e-9);
  EXPECT_DOUBLE_EQ(saved->reading.power_w, 14250);
  EXPECT_NEAR(saved->reading.flow_m3h, 0.612, 1e-9);
  EXPECT_NEAR(saved->reading.supply_c, 70.12, 1e-9);
  EXPECT_NEAR(saved->reading.return_c, 49.88, 1e-9);
  EXPECT_NEAR(saved->reading.difference_k, 20.24, 1e-9);
  EXPECT_DOUBLE_EQ(saved->reading.operating_hours, 27612);
  EXPECT_STREQ(saved->reading.meter_time, "2024-05-14T10:20:00");
  EXPECT_GT(saved->reading.read_time, 0);
  keldar_admin_DeleteCArrayDataDeviceHeat(lib, rows);
  keldar_admin_DeleteCSQLite3(lib, store);
}

TEST_F(MeterSimTest, TheScreenSpeaksTheSelectedLanguage) {
  LanguageLibrary language;
  ASSERT_TRUE(language.Loaded()) << "Phrases.so";
  const auto* lib = language.get();
  void* phrases = reinterpret_cast<KeldarPhrasesCreateFn>(lib->CreateCSQLite3Phrases)();
  ASSERT_NE(phrases, nullptr);
  reinterpret_cast<KeldarSetSelectLangFn>(lib->SetSelectLang.entry)(phrases, kEnglish);

  DevicePlugin plugin("KRVHEATDLL.so");
  KeldarDeviceRecord device = HeatDevice(1);
  QWidget* frame = OpenAndRead(plugin, device, phrases, lib);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Text(*frame, "LabelTitle"), "Heat meter");
  EXPECT_EQ(Text(*frame, "Label1"), "Go back");
  EXPECT_EQ(Text(*frame, "LabelSerialNumberCaption"), "Serial number:");
  EXPECT_EQ(Control(*frame, "PanelButtonSave").property("text").toString(), "Save to archive");
  const QTableWidget& table = Table(*frame);
  EXPECT_EQ(table.horizontalHeaderItem(0)->text(), "Quantity");
  const int energy = RowOf(table, "Energy");
  ASSERT_GE(energy, 0);
  EXPECT_EQ(Cell(table, energy, 1), "12873");
  EXPECT_EQ(Cell(table, energy, 2), "kWh");
  const int volume = RowOf(table, "Volume");
  EXPECT_EQ(Cell(table, volume, 1), "2457.190");
  EXPECT_EQ(Cell(table, volume, 2), "m³");
  EXPECT_EQ(Cell(table, RowOf(table, "Time switched on"), 2), "hours");
  EXPECT_EQ(Cell(table, RowOf(table, "Date and time"), 1), "2024-05-14 10:20");
  EXPECT_TRUE(Text(*frame, "LabelStatus").startsWith("Readings received: "));
  plugin.Delete(frame);
  reinterpret_cast<KeldarPhrasesDeleteFn>(lib->DeleteCSQLite3Phrases)(phrases);
}

// Meters that follow EN 13757-3 leave the selected state on a SND_NKE to 253.
class StandardMeterSimTest : public MeterSimTest {
 protected:
  std::vector<std::string> SimOptions() override { return {"--standard-selection"}; }
};

TEST_F(StandardMeterSimTest, ASubDeviceSelectedBySecondaryAddressIsReadAt253) {
  ReadsTheSelectedSubDeviceAndSavesIt();
}

TEST_F(MeterSimTest, ASubDeviceSelectedBySecondaryAddressIsReadAt253) {
  ReadsTheSelectedSubDeviceAndSavesIt();
}

void MeterSimTest::ReadsTheSelectedSubDeviceAndSavesIt() {
  ASSERT_TRUE(Select("KRV", 22, "WS-15 cold"));
  DevicePlugin plugin("KRVWATERCOLDDLL.so");
  KeldarDeviceRecord device = HeatDevice(KELDAR_BUS_ADDRESS_SELECTED);
  device.device_type = 22;
  std::strcpy(device.serial, "41000011");
  std::strcpy(device.model, "WS-15 cold");
  QWidget* frame = OpenAndRead(plugin, device);
  ASSERT_NE(frame, nullptr);
  const QTableWidget& table = Table(*frame);
  const int volume = RowOf(table, "Объём");
  ASSERT_GE(volume, 0) << Text(*frame, "LabelStatus").toStdString();
  EXPECT_EQ(Cell(table, volume, 1), "347,120");
  EXPECT_EQ(RowOf(table, "Энергия"), -1);  // not the heat meter's data

  Click(Control(*frame, "PanelButtonSave"));
  plugin.Delete(frame);
  const auto* lib = admin_.get();
  KeldarAdminStore* store = keldar_admin_CreateCSQLite3(lib);
  ASSERT_NE(store, nullptr);
  KeldarAdminDeviceWaterColdArray* rows = keldar_admin_CreateCArrayDataDeviceWaterCold(lib);
  EXPECT_EQ(keldar_admin_GetDeviceWaterColdData(lib, store, rows), 1);
  const auto* saved = keldar_admin_CArrayDataDeviceWaterColdGetIndexData(lib, rows, 0);
  ASSERT_NE(saved, nullptr);
  EXPECT_STREQ(saved->device.serial, "41000011");
  EXPECT_NEAR(saved->reading.volume_m3, 347.12, 1e-9);
  keldar_admin_DeleteCArrayDataDeviceWaterCold(lib, rows);
  keldar_admin_DeleteCSQLite3(lib, store);
}

TEST_F(MeterSimTest, AMeterThatIsNotThereIsReportedAndTheScreenStaysUsable) {
  DevicePlugin plugin("KRVHEATDLL.so");
  KeldarDeviceRecord device = HeatDevice(17);  // nobody answers at 17
  QWidget* frame = OpenAndRead(plugin, device);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Устройство не ответило.");
  EXPECT_EQ(Table(*frame).rowCount(), 0);
  plugin.Delete(frame);
}

// The heat meter sending two records per telegram: seven telegrams, each
// but the last ending with DIF 1F.
class SplitAnswerTest : public MeterSimTest {
 protected:
  std::string MeterPath() override {
    std::ifstream original(MeterFile("krv_heat.ini"));
    std::ofstream split(cwd_.Path() / "split_heat.ini");
    for (std::string line; std::getline(original, line);) {
      split << line << '\n';
      if (line == "[meter]") split << "records_per_telegram = 2\n";
    }
    return (cwd_.Path() / "split_heat.ini").string();
  }
};

TEST_F(SplitAnswerTest, AnAnswerInSeveralTelegramsIsReadWhole) {
  DevicePlugin plugin("MLDHEATDLL.so");
  KeldarDeviceRecord device = HeatDevice(1);
  QWidget* frame = OpenAndRead(plugin, device);
  ASSERT_NE(frame, nullptr);
  const QTableWidget& table = Table(*frame);
  EXPECT_EQ(table.rowCount(), 13) << Text(*frame, "LabelStatus").toStdString();
  EXPECT_EQ(Cell(table, 0, 0), "Энергия");  // in the order the meter sent them
  EXPECT_EQ(Cell(table, 12, 0), "Заводской номер");
  plugin.Delete(frame);
}

}  // namespace
}  // namespace devicescreen::test
