// The archive screen's chart of one meter, its backwards-counter marks and its
// export, on readings saved in archive.db.
#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableView>
#include <QTest>
#include <QValueAxis>

#include "base/kit/file_dialog.h"
#include "base/kit/message_box.h"
#include "screens/archive_screen.h"
#include "test_support.h"
#include "widgets.h"

namespace {

using namespace admintools;
using Screen = ArchiveScreen;

const Device kHeat{0, DeviceKind::kHeat, "KRV", "00012345", "KM-5", "", 4, {}};
const Device kCold{0, DeviceKind::kWaterCold, "MLD", "00000771", "ВСХ-15", "", 22, {}};

constexpr int64_t kDay = 24 * 3600;
constexpr int64_t kStart = 1'717'000'000;

Reading HeatAt(int64_t time, double energyWh, double supply, double back) {
  Reading reading;
  reading.readTime = time;
  reading[Quantity::kEnergy] = energyWh;
  reading[Quantity::kSupplyTemperature] = supply;
  reading[Quantity::kReturnTemperature] = back;
  return reading;
}

Reading ColdAt(int64_t time, double volume) {
  Reading reading;
  reading.readTime = time;
  reading[Quantity::kVolume] = volume;
  return reading;
}

std::vector<QPointF> Points(const QXYSeries& series) {
  std::vector<QPointF> points;
  for (int i = 0; i < series.count(); ++i) points.push_back(series.at(i));
  return points;
}

qreal Ms(int64_t seconds) { return static_cast<qreal>(seconds) * 1000.0; }

class ArchiveTrendTest : public ::testing::Test {
 protected:
  std::unique_ptr<Screen> Open() {
    auto screen = std::make_unique<Screen>(&flag_, ScreenTexts{});
    screen->resize(1400, 700);
    screen->show();
    return screen;
  }
  static void ChooseDevice(Screen& screen, const QString& caption) {
    auto& combo = Child<QComboBox>(screen, "ComboBoxDevice");
    const int index = combo.findText(caption, Qt::MatchEndsWith);
    ASSERT_GE(index, 0) << caption.toStdString();
    combo.setCurrentIndex(index);
  }
  static QChart& ChartOf(Screen& screen) {
    return *Child<QChartView>(screen, "ChartTrend").chart();
  }
  template <class T>
  static T* Named(QChart& chart, const char* name) {
    return chart.findChild<T*>(QString::fromLatin1(name));
  }

  ScopedWorkingDirectory folder_;
  uint8_t flag_ = 0;
};

// Four heat readings a day apart; the third is below the second.
void SaveHeatHistory(Archive& archive) {
  archive.SaveReading(kHeat, HeatAt(kStart, 1'000'000, 70, 40));
  archive.SaveReading(kHeat, HeatAt(kStart + kDay, 1'500'000, 72, 41));
  archive.SaveReading(kHeat, HeatAt(kStart + 2 * kDay, 1'200'000, 69, 39));
  archive.SaveReading(kHeat, HeatAt(kStart + 3 * kDay, 1'800'000, 75, 42));
}

TEST_F(ArchiveTrendTest, AChosenHeatMeterIsChartedWithConsumptionTemperaturesAndTheBackwardsMark) {
  {
    Archive archive;
    SaveHeatHistory(archive);
    archive.SaveReading(kCold, ColdAt(kStart, 5));
  }
  auto screen = Open();
  EXPECT_FALSE(Child<QFrame>(*screen, "FrameChart").isVisible()) << "no device chosen";
  ChooseDevice(*screen, "KRV 00012345 · KM-5");
  ASSERT_TRUE(Child<QFrame>(*screen, "FrameChart").isVisible());
  QChart& chart = ChartOf(*screen);

  auto* counter = Named<QLineSeries>(chart, "SeriesCounter");
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(Points(*counter), (std::vector<QPointF>{{Ms(kStart), 1000},
                                                    {Ms(kStart + kDay), 1500},
                                                    {Ms(kStart + 2 * kDay), 1200},
                                                    {Ms(kStart + 3 * kDay), 1800}}))
      << "oldest first, in kWh";
  EXPECT_TRUE(counter->pointsVisible());
  auto* backwards = Named<QScatterSeries>(chart, "SeriesBackwards");
  ASSERT_NE(backwards, nullptr);
  EXPECT_EQ(Points(*backwards), (std::vector<QPointF>{{Ms(kStart + 2 * kDay), 1200}}));

  // Bars over the two intervals the counter rose in; none where it fell.
  auto* used = Named<QAreaSeries>(chart, "SeriesConsumption");
  ASSERT_NE(used, nullptr);
  std::vector<qreal> heights;
  for (const QPointF& p : Points(*used->upperSeries())) {
    if (p.y() != 0 && (heights.empty() || heights.back() != p.y())) heights.push_back(p.y());
  }
  EXPECT_EQ(heights, (std::vector<qreal>{500, 600}));
  const auto bars = Points(*used->upperSeries());
  ASSERT_EQ(bars.size(), 8u);
  EXPECT_GT(bars[0].x(), Ms(kStart));
  EXPECT_LT(bars[3].x(), Ms(kStart + kDay));
  EXPECT_GT(bars[4].x(), Ms(kStart + 2 * kDay));

  auto* supply = Named<QLineSeries>(chart, "SeriesSupplyTemperature");
  auto* back = Named<QLineSeries>(chart, "SeriesReturnTemperature");
  ASSERT_NE(supply, nullptr);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(supply->count(), 4);
  EXPECT_EQ(back->at(3), QPointF(Ms(kStart + 3 * kDay), 42));
  auto* temperature = Named<QValueAxis>(chart, "AxisTemperature");
  ASSERT_NE(temperature, nullptr);
  EXPECT_EQ(temperature->titleText(), "Температура, °C");
  EXPECT_TRUE(supply->attachedAxes().contains(temperature));
  EXPECT_FALSE(counter->attachedAxes().contains(temperature)) << "the counter has its own axis";
  EXPECT_EQ(Named<QValueAxis>(chart, "AxisCounter")->titleText(), "Энергия, кВт·ч");
  EXPECT_EQ(Named<QValueAxis>(chart, "AxisConsumption")->titleText(), "Потребление, кВт·ч");
  EXPECT_LE(Named<QValueAxis>(chart, "AxisCounter")->min(), 1000);
  EXPECT_GE(Named<QValueAxis>(chart, "AxisCounter")->max(), 1800);

  // The list marks the same reading: the second row, newest first.
  const auto& model = *Child<QTableView>(*screen, "TableReadings").model();
  ASSERT_EQ(model.rowCount(), 4);
  const int energy = Screen::kColumnFirstQuantity + static_cast<int>(Quantity::kEnergy);
  for (int row = 0; row < 4; ++row) {
    const QString tip = model.index(row, energy).data(Qt::ToolTipRole).toString();
    EXPECT_EQ(tip.contains("прибор заменили"), row == 1) << row << ": " << tip.toStdString();
    EXPECT_EQ(model.index(row, Screen::kColumnReadTime).data(Qt::DecorationRole).isValid(),
              row == 1)
        << row;
  }

  // Back to every device: no chart.
  Child<QComboBox>(*screen, "ComboBoxDevice").setCurrentIndex(0);
  EXPECT_FALSE(Child<QFrame>(*screen, "FrameChart").isVisible());
}

TEST_F(ArchiveTrendTest, AWaterMeterIsChartedByVolumeWithoutATemperatureAxis) {
  {
    Archive archive;
    archive.SaveReading(kCold, ColdAt(kStart, 10.5));
    archive.SaveReading(kCold, ColdAt(kStart + 3600, 11.25));
  }
  auto screen = Open();
  ChooseDevice(*screen, "MLD 00000771 · ВСХ-15");
  QChart& chart = ChartOf(*screen);
  EXPECT_EQ(Named<QValueAxis>(chart, "AxisTemperature"), nullptr);
  EXPECT_EQ(Named<QLineSeries>(chart, "SeriesSupplyTemperature"), nullptr);
  EXPECT_EQ(Named<QValueAxis>(chart, "AxisCounter")->titleText(), "Объём, м³");
  ASSERT_NE(Named<QLineSeries>(chart, "SeriesCounter"), nullptr);
  EXPECT_EQ(Points(*Named<QLineSeries>(chart, "SeriesCounter")),
            (std::vector<QPointF>{{Ms(kStart), 10.5}, {Ms(kStart + 3600), 11.25}}));
  EXPECT_EQ(Named<QScatterSeries>(chart, "SeriesBackwards")->count(), 0);
  const auto bars = Points(*Named<QAreaSeries>(chart, "SeriesConsumption")->upperSeries());
  ASSERT_EQ(bars.size(), 4u);
  EXPECT_DOUBLE_EQ(bars[1].y(), 0.75);
  EXPECT_TRUE(Named<QDateTimeAxis>(chart, "AxisTime")->format().contains("HH:mm"))
      << "an hour apart: the time of day tells the readings apart";
}

TEST_F(ArchiveTrendTest, ReadingsWithoutACounterAreChartedAtTheirTimesOrNotAtAll) {
  {
    Archive archive;
    // The heat meter's counter was not read, its temperatures were.
    Reading warm;
    warm.readTime = kStart;
    warm[Quantity::kSupplyTemperature] = 70;
    archive.SaveReading(kHeat, warm);
    warm.readTime = kStart + kDay;
    archive.SaveReading(kHeat, warm);
    // The cold meter's only reading carries its error flags alone.
    Reading errors;
    errors.readTime = kStart;
    errors.errorFlags = 0x10;
    archive.SaveReading(kCold, errors);
  }
  auto screen = Open();
  ChooseDevice(*screen, "KRV 00012345 · KM-5");
  ASSERT_TRUE(Child<QFrame>(*screen, "FrameChart").isVisible());
  const auto* time = Named<QDateTimeAxis>(ChartOf(*screen), "AxisTime");
  EXPECT_LE(time->min().toSecsSinceEpoch(), kStart);
  EXPECT_GE(time->max().toSecsSinceEpoch(), kStart + kDay);
  EXPECT_GT(time->min().toSecsSinceEpoch(), kStart - kDay) << "the readings' days, not 1970";

  ChooseDevice(*screen, "MLD 00000771 · ВСХ-15");
  EXPECT_FALSE(Child<QFrame>(*screen, "FrameChart").isVisible()) << "nothing to draw";
  EXPECT_EQ(Child<QTableView>(*screen, "TableReadings").model()->rowCount(), 1)
      << "the reading is listed all the same";
}

TEST_F(ArchiveTrendTest, HoveringAPointTellsItsTimeAndValue) {
  {
    Archive archive;
    SaveHeatHistory(archive);
  }
  auto screen = Open();
  ChooseDevice(*screen, "KRV 00012345 · KM-5");
  auto& view = Child<QChartView>(*screen, "ChartTrend");
  auto* counter = Named<QLineSeries>(*view.chart(), "SeriesCounter");
  ASSERT_NE(counter, nullptr);
  emit counter->hovered(counter->at(1), true);
  const QString when = QDateTime::fromSecsSinceEpoch(kStart + kDay).toString("dd.MM.yyyy HH:mm");
  EXPECT_TRUE(view.toolTip().contains(when)) << view.toolTip().toStdString();
  EXPECT_TRUE(view.toolTip().contains("1500.000 кВт·ч")) << view.toolTip().toStdString();
  emit counter->hovered(counter->at(1), false);
  EXPECT_TRUE(view.toolTip().isEmpty());
}

TEST_F(ArchiveTrendTest, ExportWritesWhatTheFiltersShowToTheChosenFile) {
  {
    Archive archive;
    SaveHeatHistory(archive);
    archive.SaveReading(kCold, ColdAt(kStart + 10, 5.5));
  }
  auto screen = Open();
  platform::SaveFileRecorder dialogs;
  const QString csv = QDir::current().filePath("heat.csv");
  dialogs.answers.push_back({csv, "CSV (*.csv)"});
  ChooseDevice(*screen, "KRV 00012345 · KM-5");
  QTest::mouseClick(&Child<QLabel>(*screen, "PanelButtonExport"), Qt::LeftButton);

  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(QFileInfo(dialogs.calls[0].proposed).fileName(),
            "archive-" + QDate::currentDate().toString("yyyyMMdd") + ".csv");
  EXPECT_EQ(dialogs.calls[0].filters, (QStringList{"CSV (*.csv)", "JSON (*.json)"}));
  const QString text = QString::fromUtf8(ReadFile("heat.csv").c_str());
  const auto lines = text.split("\r\n", Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5) << text.toStdString() << "the header and the heat meter's four";
  // Built-in Russian: the separators of a Russian spreadsheet.
  EXPECT_TRUE(lines[0].startsWith("\uFEFFtime (UTC);kind;serial;manufacturer"))
      << lines[0].toStdString();
  EXPECT_TRUE(
      lines[1].startsWith(QDateTime::fromSecsSinceEpoch(kStart, Qt::UTC).toString(Qt::ISODate) +
                          ";heat;00012345;KRV;KM-5;"))
      << "oldest first: " << lines[1].toStdString();
  EXPECT_TRUE(lines[3].contains(";1;1200000;")) << "marked backwards: " << lines[3].toStdString();
  EXPECT_EQ(Child<QLabel>(*screen, "LabelStatus").text(),
            "Записано показаний в файл: 4 — heat.csv");

  // A name without a suffix takes the chosen filter's; every device is exported.
  Child<QComboBox>(*screen, "ComboBoxDevice").setCurrentIndex(0);
  dialogs.answers.push_back({QDir::current().filePath("all"), "JSON (*.json)"});
  QTest::mouseClick(&Child<QLabel>(*screen, "PanelButtonExport"), Qt::LeftButton);
  const auto json = QJsonDocument::fromJson(QByteArray::fromStdString(ReadFile("all.json")));
  ASSERT_TRUE(json.isArray());
  ASSERT_EQ(json.array().size(), 5);
  const QJsonObject cold = json.array().at(1).toObject();
  EXPECT_EQ(cold.value("kind").toString(), "cold");
  EXPECT_DOUBLE_EQ(cold.value("values").toObject().value("volume_m3").toDouble(), 5.5);

  // Cancelling writes nothing.
  QTest::mouseClick(&Child<QLabel>(*screen, "PanelButtonExport"), Qt::LeftButton);
  EXPECT_EQ(dialogs.calls.size(), 3u);
}

TEST_F(ArchiveTrendTest, AFolderThatCannotBeWrittenIsExplainedAndLeftWithoutAFile) {
  {
    Archive archive;
    SaveHeatHistory(archive);
  }
  auto screen = Open();
  // A file where the folder should be: not even root can write under it.
  WriteFile("locked", "not a folder");
  const QString target = QDir::current().filePath("locked/readings.csv");
  platform::SaveFileRecorder dialogs;
  dialogs.answers.push_back({target, "CSV (*.csv)"});
  platform::MessageBoxRecorder boxes;
  QTest::mouseClick(&Child<QLabel>(*screen, "PanelButtonExport"), Qt::LeftButton);
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_TRUE(boxes.calls[0].text.startsWith("Не удалось записать файл " + target))
      << boxes.calls[0].text.toStdString();
  EXPECT_EQ(ReadFile("locked"), "not a folder");
  EXPECT_TRUE(
      QDir::current().entryList({"*.csv*", "readings*"}, QDir::Files | QDir::Hidden).isEmpty())
      << "no partial file beside it";
}

}  // namespace
