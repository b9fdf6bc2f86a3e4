// The local-archive screen over readings saved in archive.db.
#include "screens/archive_screen.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTest>

#include "screens/panel_button.h"
#include "test_folder.h"
#include "ui_TProgramReadLocalArhiv.h"

namespace {

using namespace admintools;
using Screen = TProgramReadLocalArhiv;

const Device kHeat{0, DeviceKind::kHeat, "KRV", "00012345", "KM-5", "", 4, {}};
const Device kOtherHeat{0, DeviceKind::kHeat, "PTX", "10230077", "", "", 4, {}};
const Device kCold{0, DeviceKind::kWaterCold, "MLD", "00000771", "ВСХ-15", "", 22, {}};

Reading HeatAt(int64_t time, double energyWh) {
  Reading reading;
  reading.readTime = time;
  reading[Quantity::kEnergy] = energyWh;
  reading[Quantity::kPower] = 15320.0;
  reading[Quantity::kSupplyTemperature] = 71.3;
  reading.meterTime = "2024-05-29T10:01:02";
  reading.errorFlags = 0x14;
  return reading;
}

class ArchiveScreen : public ::testing::Test {
 protected:
  std::unique_ptr<Screen> Open() {
    auto screen = std::make_unique<Screen>(&flag_, ScreenTexts{});
    screen->resize(1200, 600);
    screen->show();
    return screen;
  }
  static QString Cell(Screen& screen, int row, int column) {
    const auto* item = screen.Controls().TableReadings->item(row, column);
    return item != nullptr ? item->text() : QString();
  }
  static bool Hidden(Screen& screen, int column) {
    return screen.Controls().TableReadings->isColumnHidden(column);
  }
  static int QuantityColumn(Quantity q) {
    return Screen::kColumnFirstQuantity + static_cast<int>(q);
  }

  WorkingFolder folder_;
  uint8_t flag_ = 0;
};

TEST_F(ArchiveScreen, AnEmptyArchiveSaysSo) {
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_EQ(ui.Pages->currentWidget(), ui.PageEmpty);
  EXPECT_TRUE(ui.LabelEmpty->text().startsWith("В архиве пока нет сохранённых показаний."));
  EXPECT_EQ(ui.ComboBoxDeviceKind->count(), 4);
  EXPECT_EQ(ui.ComboBoxDevice->count(), 1) << "only “all devices”";
}

TEST_F(ArchiveScreen, ReadingsAreListedNewestFirstInTheirDisplayUnits) {
  {
    Archive archive;
    archive.SaveReading(kHeat, HeatAt(1'717'000'000, 18'734'500.0));
    Reading cold;
    cold.readTime = 1'717'000'500;
    cold[Quantity::kVolume] = 87.115;  // flow not reported
    archive.SaveReading(kCold, cold);
  }
  auto screen = Open();
  auto& ui = screen->Controls();
  ASSERT_EQ(ui.Pages->currentWidget(), ui.PageReadings);
  ASSERT_EQ(ui.TableReadings->rowCount(), 2);
  EXPECT_EQ(Cell(*screen, 0, Screen::kColumnDevice), "MLD 00000771 · ВСХ-15");
  EXPECT_EQ(Cell(*screen, 0, Screen::kColumnKind), "Холодная вода");
  EXPECT_EQ(Cell(*screen, 0, QuantityColumn(Quantity::kVolume)), "87.115");
  EXPECT_EQ(Cell(*screen, 0, QuantityColumn(Quantity::kFlow)), "—");
  EXPECT_EQ(Cell(*screen, 0, QuantityColumn(Quantity::kEnergy)), "") << "not a cold-water value";

  EXPECT_EQ(Cell(*screen, 1, Screen::kColumnReadTime),
            QDateTime::fromSecsSinceEpoch(1'717'000'000).toString("dd.MM.yyyy HH:mm:ss"));
  EXPECT_EQ(Cell(*screen, 1, QuantityColumn(Quantity::kEnergy)), "18734.500") << "Wh shown in kWh";
  EXPECT_EQ(Cell(*screen, 1, QuantityColumn(Quantity::kPower)), "15.320") << "W shown in kW";
  EXPECT_EQ(Cell(*screen, 1, QuantityColumn(Quantity::kSupplyTemperature)), "71.30");
  EXPECT_EQ(Cell(*screen, 1, Screen::kColumnErrors), "0x0014");
  EXPECT_EQ(Cell(*screen, 1, Screen::kColumnMeterTime), "29.05.2024 10:01:02");
  EXPECT_EQ(ui.TableReadings->horizontalHeaderItem(QuantityColumn(Quantity::kEnergy))->text(),
            "Энергия, кВт·ч");
  EXPECT_EQ(ui.LabelStatus->text(), "Показаний: 2");
}

TEST_F(ArchiveScreen, TheKindAndTheDeviceFilterTheList) {
  {
    Archive archive;
    archive.SaveReading(kHeat, HeatAt(100, 1));
    archive.SaveReading(kHeat, HeatAt(300, 3));
    archive.SaveReading(kOtherHeat, HeatAt(200, 2));
    archive.SaveReading(kCold, Reading{0, 0, 400, "", 0, {}});
  }
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_EQ(ui.ComboBoxDevice->count(), 4);
  ui.ComboBoxDeviceKind->setCurrentIndex(1);  // heat
  ASSERT_EQ(ui.TableReadings->rowCount(), 3);
  EXPECT_EQ(ui.ComboBoxDevice->count(), 3) << "all, and the two heat meters";
  EXPECT_TRUE(Hidden(*screen, Screen::kColumnKind));
  EXPECT_TRUE(Hidden(*screen, QuantityColumn(Quantity::kTemperature)));
  EXPECT_FALSE(Hidden(*screen, QuantityColumn(Quantity::kReturnTemperature)));

  ui.ComboBoxDevice->setCurrentIndex(ui.ComboBoxDevice->findText("KRV 00012345 · KM-5"));
  ASSERT_EQ(ui.TableReadings->rowCount(), 2);
  EXPECT_EQ(Cell(*screen, 0, QuantityColumn(Quantity::kEnergy)), "0.003");
  EXPECT_EQ(Cell(*screen, 1, QuantityColumn(Quantity::kEnergy)), "0.001");
  EXPECT_TRUE(Hidden(*screen, Screen::kColumnDevice)) << "one device: its column says nothing";

  ui.ComboBoxDeviceKind->setCurrentIndex(3);  // hot water: none saved
  EXPECT_EQ(ui.Pages->currentWidget(), ui.PageEmpty);
  EXPECT_EQ(ui.LabelEmpty->text(), "Для выбранного фильтра показаний нет.");

  ui.ComboBoxDeviceKind->setCurrentIndex(0);
  EXPECT_EQ(ui.TableReadings->rowCount(), 4);
  EXPECT_FALSE(Hidden(*screen, Screen::kColumnKind));
  EXPECT_FALSE(Hidden(*screen, QuantityColumn(Quantity::kTemperature)));
}

TEST_F(ArchiveScreen, RefreshShowsWhatWasSavedMeanwhileKeepingTheFilter) {
  Archive archive;
  archive.SaveReading(kHeat, HeatAt(100, 1));
  auto screen = Open();
  auto& ui = screen->Controls();
  ui.ComboBoxDeviceKind->setCurrentIndex(1);
  ui.ComboBoxDevice->setCurrentIndex(1);
  archive.SaveReading(kHeat, HeatAt(200, 2));
  archive.SaveReading(kCold, Reading{0, 0, 300, "", 0, {}});
  EXPECT_EQ(ui.TableReadings->rowCount(), 1);
  QTest::mouseClick(ui.PanelButtonRefresh, Qt::LeftButton);
  EXPECT_EQ(ui.TableReadings->rowCount(), 2);
  EXPECT_EQ(ui.ComboBoxDeviceKind->currentIndex(), 1);
  EXPECT_EQ(ui.ComboBoxDevice->currentIndex(), 1);
}

TEST_F(ArchiveScreen, SelectedReadingsAreDeletedOnlyAfterConfirmation) {
  Archive archive;
  archive.SaveReading(kHeat, HeatAt(100, 1));
  archive.SaveReading(kHeat, HeatAt(200, 2));
  archive.SaveReading(kCold, Reading{0, 0, 300, "", 0, {}});
  auto screen = Open();
  auto& ui = screen->Controls();
  auto& table = *ui.TableReadings;
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_FALSE(ui.PanelButtonDelete->isEnabled()) << "nothing is selected yet";

  // Rows 0 and 2: the cold reading (300) and the oldest heat reading (100),
  // whose ids are both 1 in their own tables.
  table.selectRow(0);
  table.selectionModel()->select(table.model()->index(2, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  ASSERT_TRUE(ui.PanelButtonDelete->isEnabled());
  QTest::mouseClick(ui.PanelButtonDelete, Qt::LeftButton);
  ASSERT_TRUE(ui.PanelConfirm->isVisible());
  EXPECT_TRUE(ui.LabelConfirm->text().contains("(2)")) << ui.LabelConfirm->text().toStdString();
  QTest::mouseClick(ui.PanelButtonConfirmCancel, Qt::LeftButton);
  EXPECT_FALSE(ui.PanelConfirm->isVisible());
  EXPECT_EQ(archive.ReadingCount(), 3) << "cancelling deletes nothing";

  QTest::mouseClick(ui.PanelButtonDelete, Qt::LeftButton);
  QTest::mouseClick(ui.PanelButtonConfirmDelete, Qt::LeftButton);
  EXPECT_FALSE(ui.PanelConfirm->isVisible());
  const auto left = archive.Readings(std::nullopt, std::nullopt);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].reading.readTime, 200);
  EXPECT_EQ(table.rowCount(), 1);
  EXPECT_FALSE(ui.PanelButtonDelete->isEnabled());

  // A question left open is withdrawn when the list changes under it.
  table.selectRow(0);
  QTest::mouseClick(ui.PanelButtonDelete, Qt::LeftButton);
  ASSERT_TRUE(ui.PanelConfirm->isVisible());
  QTest::mouseClick(ui.PanelButtonRefresh, Qt::LeftButton);
  EXPECT_FALSE(ui.PanelConfirm->isVisible());
  EXPECT_EQ(archive.ReadingCount(), 1);
}

TEST_F(ArchiveScreen, AFileItCannotReadIsExplainedAndLeftAlone) {
  const std::string garbage(3000, '\x01');
  WriteBytes("archive.db", garbage);
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_EQ(ui.Pages->currentWidget(), ui.PageEmpty);
  EXPECT_TRUE(ui.LabelEmpty->text().startsWith("Файл archive.db повреждён"));
  QTest::mouseClick(ui.PanelButtonRefresh, Qt::LeftButton);
  EXPECT_TRUE(ui.LabelEmpty->text().startsWith("Файл archive.db повреждён"));
  QTest::mouseClick(ui.Label1, Qt::LeftButton);
  EXPECT_EQ(keldar_flag_get(&flag_), 1);
  screen.reset();
  EXPECT_EQ(ReadBytes("archive.db"), garbage);
}

}  // namespace
