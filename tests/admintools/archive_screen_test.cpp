// The local-archive screen over readings saved in archive.db.
#include "screens/archive_screen.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QWidget>

#include "test_support.h"
#include "widgets.h"

namespace {

using namespace admintools;
using Screen = ArchiveScreen;

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

class ArchiveScreenTest : public ::testing::Test {
 protected:
  std::unique_ptr<Screen> Open() {
    auto screen = std::make_unique<Screen>(&flag_, ScreenTexts{});
    screen->resize(1200, 600);
    screen->show();
    return screen;
  }
  static QString Cell(Screen& screen, int row, int column) {
    const auto& table = Child<QTableView>(screen, "TableReadings");
    return table.model()->index(row, column).data().toString();
  }
  static int Rows(const QWidget& view) {
    return Child<QTableView>(view, "TableReadings").model()->rowCount();
  }
  static bool Hidden(Screen& screen, int column) {
    return Child<QTableView>(screen, "TableReadings").isColumnHidden(column);
  }
  static int QuantityColumn(Quantity q) {
    return Screen::kColumnFirstQuantity + static_cast<int>(q);
  }

  ScopedWorkingDirectory folder_;
  uint8_t flag_ = 0;
};

TEST_F(ArchiveScreenTest, AnEmptyArchiveSaysSo) {
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageEmpty"));
  EXPECT_TRUE(Child<QLabel>(view, "LabelEmpty")
                  .text()
                  .startsWith("В архиве пока нет сохранённых показаний."));
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDeviceKind").count(), 4);
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDevice").count(), 1) << "only “all devices”";
}

TEST_F(ArchiveScreenTest, ReadingsAreListedNewestFirstInTheirDisplayUnits) {
  {
    Archive archive;
    archive.SaveReading(kHeat, HeatAt(1'717'000'000, 18'734'500.0));
    Reading cold;
    cold.readTime = 1'717'000'500;
    cold[Quantity::kVolume] = 87.115;  // flow not reported
    archive.SaveReading(kCold, cold);
  }
  auto screen = Open();
  QWidget& view = *screen;
  ASSERT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageReadings"));
  ASSERT_EQ(Rows(view), 2);
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
  EXPECT_EQ(Child<QTableView>(view, "TableReadings")
                .model()
                ->headerData(QuantityColumn(Quantity::kEnergy), Qt::Horizontal)
                .toString(),
            "Энергия, кВт·ч");
  EXPECT_EQ(Child<QLabel>(view, "LabelStatus").text(), "Показаний: 2");
}

TEST_F(ArchiveScreenTest, TheKindAndTheDeviceFilterTheList) {
  {
    Archive archive;
    archive.SaveReading(kHeat, HeatAt(100, 1));
    archive.SaveReading(kHeat, HeatAt(300, 3));
    archive.SaveReading(kOtherHeat, HeatAt(200, 2));
    archive.SaveReading(kCold, Reading{0, 0, 400, "", 0, {}});
  }
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDevice").count(), 4);
  Child<QComboBox>(view, "ComboBoxDeviceKind").setCurrentIndex(1);  // heat
  ASSERT_EQ(Rows(view), 3);
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDevice").count(), 3) << "all, and the two heat meters";
  EXPECT_TRUE(Hidden(*screen, Screen::kColumnKind));
  EXPECT_TRUE(Hidden(*screen, QuantityColumn(Quantity::kTemperature)));
  EXPECT_FALSE(Hidden(*screen, QuantityColumn(Quantity::kReturnTemperature)));

  Child<QComboBox>(view, "ComboBoxDevice")
      .setCurrentIndex(Child<QComboBox>(view, "ComboBoxDevice").findText("KRV 00012345 · KM-5"));
  ASSERT_EQ(Rows(view), 2);
  EXPECT_EQ(Cell(*screen, 0, QuantityColumn(Quantity::kEnergy)), "0.003");
  EXPECT_EQ(Cell(*screen, 1, QuantityColumn(Quantity::kEnergy)), "0.001");
  EXPECT_TRUE(Hidden(*screen, Screen::kColumnDevice)) << "one device: its column says nothing";

  Child<QComboBox>(view, "ComboBoxDeviceKind").setCurrentIndex(3);  // hot water: none saved
  EXPECT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageEmpty"));
  EXPECT_EQ(Child<QLabel>(view, "LabelEmpty").text(), "Для выбранного фильтра показаний нет.");

  Child<QComboBox>(view, "ComboBoxDeviceKind").setCurrentIndex(0);
  EXPECT_EQ(Rows(view), 4);
  EXPECT_FALSE(Hidden(*screen, Screen::kColumnKind));
  EXPECT_FALSE(Hidden(*screen, QuantityColumn(Quantity::kTemperature)));
}

TEST_F(ArchiveScreenTest, RefreshShowsWhatWasSavedMeanwhileKeepingTheFilter) {
  Archive archive;
  archive.SaveReading(kHeat, HeatAt(100, 1));
  auto screen = Open();
  QWidget& view = *screen;
  Child<QComboBox>(view, "ComboBoxDeviceKind").setCurrentIndex(1);
  Child<QComboBox>(view, "ComboBoxDevice").setCurrentIndex(1);
  archive.SaveReading(kHeat, HeatAt(200, 2));
  archive.SaveReading(kCold, Reading{0, 0, 300, "", 0, {}});
  EXPECT_EQ(Rows(view), 1);
  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonRefresh"), Qt::LeftButton);
  EXPECT_EQ(Rows(view), 2);
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDeviceKind").currentIndex(), 1);
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxDevice").currentIndex(), 1);
}

TEST_F(ArchiveScreenTest, SelectedReadingsAreDeletedOnlyAfterConfirmation) {
  Archive archive;
  archive.SaveReading(kHeat, HeatAt(100, 1));
  archive.SaveReading(kHeat, HeatAt(200, 2));
  archive.SaveReading(kCold, Reading{0, 0, 300, "", 0, {}});
  auto screen = Open();
  QWidget& view = *screen;
  auto& table = Child<QTableView>(view, "TableReadings");
  ASSERT_EQ(Rows(view), 3);
  EXPECT_FALSE(Child<QLabel>(view, "PanelButtonDelete").isEnabled()) << "nothing is selected yet";

  // Rows 0 and 2: the cold reading (300) and the oldest heat reading (100),
  // whose ids are both 1 in their own tables.
  table.selectRow(0);
  table.selectionModel()->select(table.model()->index(2, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  ASSERT_TRUE(Child<QLabel>(view, "PanelButtonDelete").isEnabled());
  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonDelete"), Qt::LeftButton);
  ASSERT_TRUE(Child<QFrame>(view, "PanelConfirm").isVisible());
  EXPECT_TRUE(Child<QLabel>(view, "LabelConfirm").text().contains("(2)"))
      << Child<QLabel>(view, "LabelConfirm").text().toStdString();
  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonConfirmCancel"), Qt::LeftButton);
  EXPECT_FALSE(Child<QFrame>(view, "PanelConfirm").isVisible());
  EXPECT_EQ(archive.ReadingCount(), 3) << "cancelling deletes nothing";

  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonDelete"), Qt::LeftButton);
  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonConfirmDelete"), Qt::LeftButton);
  EXPECT_FALSE(Child<QFrame>(view, "PanelConfirm").isVisible());
  const auto left = archive.Readings(std::nullopt, std::nullopt);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].reading.readTime, 200);
  EXPECT_EQ(Rows(view), 1);
  EXPECT_FALSE(Child<QLabel>(view, "PanelButtonDelete").isEnabled());

  // A question left open is withdrawn when the list changes under it.
  table.selectRow(0);
  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonDelete"), Qt::LeftButton);
  ASSERT_TRUE(Child<QFrame>(view, "PanelConfirm").isVisible());
  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonRefresh"), Qt::LeftButton);
  EXPECT_FALSE(Child<QFrame>(view, "PanelConfirm").isVisible());
  EXPECT_EQ(archive.ReadingCount(), 1);
}

TEST_F(ArchiveScreenTest, AFileItCannotReadIsExplainedAndLeftAlone) {
  const std::string garbage(3000, '\x01');
  WriteFile("archive.db", garbage);
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageEmpty"));
  EXPECT_TRUE(Child<QLabel>(view, "LabelEmpty").text().startsWith("Файл archive.db повреждён"));
  QTest::mouseClick(&Child<QLabel>(view, "PanelButtonRefresh"), Qt::LeftButton);
  EXPECT_TRUE(Child<QLabel>(view, "LabelEmpty").text().startsWith("Файл archive.db повреждён"));
  QTest::mouseClick(&Child<QLabel>(view, "Label1"), Qt::LeftButton);
  EXPECT_EQ(keldar_flag_get(&flag_), 1);
  screen.reset();
  EXPECT_EQ(ReadFile("archive.db"), garbage);
}

TEST_F(ArchiveScreenTest, ALongListIsReadAPageAtATimeAsItScrolls) {
  {
    Archive archive;
    archive.SaveReading(kHeat, HeatAt(1, 1));
    const int64_t device = archive.FindDevice(DeviceKind::kHeat, "KRV", "00012345")->id;
    std::vector<Reading> readings;
    for (int i = 2; i <= 450; ++i) {
      readings.push_back(HeatAt(i, i));
      readings.back().deviceId = device;
    }
    archive.AddReadings(DeviceKind::kHeat, readings);
  }
  auto screen = Open();
  QWidget& view = *screen;
  auto& table = Child<QTableView>(view, "TableReadings");
  EXPECT_EQ(Child<QLabel>(view, "LabelStatus").text(), "Показаний: 450") << "counted, not loaded";
  const int first = Rows(view);
  EXPECT_GE(first, 1);
  EXPECT_LT(first, 450) << "the first page only";
  EXPECT_EQ(Cell(*screen, 0, QuantityColumn(Quantity::kEnergy)), "0.450") << "newest first";

  // Scrolling to the end reads the rest, page by page, in order.
  for (int i = 0; i < 10 && Rows(view) < 450; ++i) {
    QCoreApplication::processEvents();  // the view lays out what it was given
    table.verticalScrollBar()->setValue(table.verticalScrollBar()->maximum());
  }
  ASSERT_EQ(Rows(view), 450);
  EXPECT_EQ(Cell(*screen, 449, QuantityColumn(Quantity::kEnergy)), "0.001");
  EXPECT_EQ(Cell(*screen, 200, QuantityColumn(Quantity::kEnergy)), "0.250") << "no row twice";
}

}  // namespace
